#include "game/ComputerPlayer.h"
#include "game/GameFlow.h"
#include "game/QuietWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;

namespace {

// A quiet window that also keeps every evaluation label, status text and debug value, and lets a test act at
// the n-th round of messages. Messages processed again and again while the computer waits for its worker
// threads, with no status text between them, are one round: how often the wait looks depends on the machine.
class TWatchingWindow : public TQuietWindow {
public:
    std::vector<std::string> labels;
    std::vector<std::string> statusTexts;
    std::vector<std::string> debugValues;
    int messageRounds = 0;
    std::function<void(int)> onProcessMessages;

    void SetEvalLabel(int colour, const std::string& text) override
    {
        TQuietWindow::SetEvalLabel(colour, text);
        labels.push_back(std::string(ColourName(colour)) + " " + text);
    }
    void SetStatusText(const std::string& text) override
    {
        statusTexts.push_back(text);
        roundOpen_ = false;
    }
    void DrawDebugValue(int x, int y, int value) override
    {
        debugValues.push_back(SquareName(x, y) + " " + std::to_string(value));
    }
    void ProcessMessages() override
    {
        TQuietWindow::ProcessMessages();
        if (roundOpen_) {
            return;
        }
        roundOpen_ = true;
        ++messageRounds;
        if (onProcessMessages) {
            onProcessMessages(messageRounds);
        }
    }

private:
    bool roundOpen_ = false;
};

class ComputerGameTest : public ::testing::Test {
protected:
    TWatchingWindow window;

    void SetUp() override
    {
        ResetGameState();
        SetGameWindow(&window);
        InstallComputerPlayer();
        NewGame(false);
    }
    void TearDown() override
    {
        SetGameWindow(nullptr);
        SetThinkFunction({});
        ResetGameState();
    }

    void SetPlayers(int black, int white) { window.playerLevels = { black, white }; }

    std::string Transcript() const
    {
        std::string moves;
        for (int i = 1; i <= Game.HistoryTop; ++i) {
            if (Game.History[i].Move != 0) {
                moves += MoveCodeName(Game.History[i].Move);
            }
        }
        return moves;
    }
};

bool SideCanMove(const TBoard& board, int side)
{
    return CountMobility(board, BuildEmptyList(board), side) > 0;
}

// Replays the recorded moves from the initial position: every move legal for the side whose turn the record
// says, every pass a real one, and the end a real end.
void ExpectHistoryIsAFinishedLegalGame()
{
    TBoard board = InitialBoard();
    for (int i = 1; i <= Game.HistoryTop; ++i) {
        const int mover = i % 2 == 1 ? Black : White;
        const std::uint16_t move = Game.History[i].Move;
        if (move == 0) {
            EXPECT_FALSE(SideCanMove(board, mover)) << "record " << i;
            continue;
        }
        const TSquare square = SquareOfMoveCode(move);
        TBoard next;
        ASSERT_EQ(Cell(board, square.x, square.y), EmptyCell) << "record " << i;
        ASSERT_TRUE(MakeMove(board, next, square.x, square.y, mover)) << "record " << i;
        board = next;
        EXPECT_EQ(Game.History[i].Rows, PackRows(board)) << "record " << i;
    }
    EXPECT_EQ(board, Game.GameBoard);
    EXPECT_FALSE(SideCanMove(board, Black));
    EXPECT_FALSE(SideCanMove(board, White));
}

std::array<std::string, 3> ExpectedResult(const TBoard& board)
{
    const int black = CountDiscs(board, Black);
    const int white = CountDiscs(board, White);
    const std::string line3 = black > white ? "Black won by " + std::to_string(black - white) + "."
        : white > black                     ? "White won by " + std::to_string(white - black) + "."
                                            : std::string("Draw Game.");
    return { "Black : " + std::to_string(black), "White : " + std::to_string(white), line3 };
}

} // namespace

TEST_F(ComputerGameTest, TwoComputerPlayersPlayAWholeGameInOneCall)
{
    for (const auto& [black, white] : { std::pair { 1, 2 }, { 3, 4 }, { 5, 6 }, { 2, 5 }, { 4, 1 } }) {
        SCOPED_TRACE(std::string(LevelNames[black]) + " against " + LevelNames[white]);
        NewGame(false);
        SetPlayers(black, white);
        window.lastResult = {};
        RunComputer();
        ExpectHistoryIsAFinishedLegalGame();
        EXPECT_EQ(window.lastResult, ExpectedResult(Game.GameBoard));
        EXPECT_TRUE(window.statusTexts.back().empty());
    }
}

TEST_F(ComputerGameTest, GradedPlayersOpenFromTheBook)
{
    SetPlayers(6, 7);
    // The labels the computer writes, not the new game's cleared ones.
    window.labels.clear();
    RunComputer();
    ExpectHistoryIsAFinishedLegalGame();
    // Black's first book line and White's first line agree for 17 moves; White's line adds d6.
    EXPECT_EQ(Transcript().substr(0, 36), "f5f6e6f4e3c5c4e7b5e2f2d2f3d3g5c3g4d6");
    const std::vector<std::string> firstLabels(window.labels.begin(), window.labels.begin() + 19);
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(firstLabels[i], std::string(i % 2 == 0 ? "Black" : "White") + " JOSEKI") << i;
    }
    EXPECT_NE(firstLabels[18], "Black JOSEKI");
}

TEST_F(ComputerGameTest, ThinkWorksThroughTheWindow)
{
    PlayMove(6, 5);
    SetPlayers(0, 1);
    window.statusTexts.clear();
    RunComputer();
    EXPECT_EQ(window.statusTexts,
        (std::vector<std::string> {
            "[N] White is thinking f4", "[N] White is thinking d6", "[N] White is thinking f6", "" }));
    EXPECT_EQ(window.messageRounds, 3);
    EXPECT_EQ(window.labels.back(), "White -10");
    EXPECT_EQ(Game.History[2].Move, MoveCode(6, 4));
    EXPECT_TRUE(window.debugValues.empty());
}

TEST_F(ComputerGameTest, DebugModeShowsTheRootValuesWithoutPlaying)
{
    PlayMove(6, 5);
    Game.DebugMode = true;
    SetPlayers(0, 2);
    RunComputer();
    EXPECT_EQ(window.debugValues, (std::vector<std::string> { "f4 3", "d6 3", "f6 1" }));
    EXPECT_EQ(Game.HistoryTop, 1);
    EXPECT_EQ(window.PlayerLevel(White), HumanLevel);
}

TEST_F(ComputerGameTest, StopWhileAComputerThinksHandsThatSideToAPerson)
{
    SetPlayers(1, 3);
    // No Wait: messages are processed only inside Think, one round per root move tried.
    window.onProcessMessages = [](int round) {
        if (round == 12) {
            BackBtnClick();
        }
    };
    RunComputer();
    const int stoppedSide = Game.SideToMove;
    EXPECT_EQ(window.PlayerLevel(stoppedSide), HumanLevel);
    EXPECT_NE(window.PlayerLevel(-stoppedSide), HumanLevel);
    EXPECT_TRUE(window.statusTexts.back().empty());
    // Black's four and White's three root moves come first: the stop falls into Black's second move.
    EXPECT_EQ(Game.HistoryTop, 2);
    EXPECT_EQ(stoppedSide, Black);
    EXPECT_TRUE(Game.InputEnabled);
    EXPECT_FALSE(Game.Busy);
}

TEST_F(ComputerGameTest, TheStoredCustomRowStaysAsReadWhileThinkLimitsIt)
{
    // Node depth 0 would search to the end of the game; used as 1, the game finishes at once.
    Game.LevelTable[CustomLevel] = { 0, 0, 0 };
    SetPlayers(CustomLevel, 1);
    RunComputer();
    ExpectHistoryIsAFinishedLegalGame();
    EXPECT_EQ(Game.LevelTable[CustomLevel], (TLevelRow { 0, 0, 0 }));
}

TEST_F(ComputerGameTest, ThinkChoosesNothingForALevelOutsideTheTable)
{
    EXPECT_EQ(Think(0).x, 0);
    EXPECT_EQ(Think(LevelCount).x, 0);
    EXPECT_TRUE(window.statusTexts.empty());
}
