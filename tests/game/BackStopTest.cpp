#include "GameFlowFixture.h"
#include "support/RandomGames.h"

#include <random>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;

namespace {

std::string LastMoveOf(int colour, int top)
{
    // Record j was reached by a Black move when j is odd and by a White move when j is even.
    for (int j = top; j >= 1; --j) {
        const bool blackMove = j % 2 == 1;
        if ((colour == Black) == blackMove && Game.History[j].Move != 0) {
            return MoveCodeName(Game.History[j].Move);
        }
    }
    return "";
}

} // namespace

TEST_F(GameFlowTest, BackTakesOneMoveOfEachSide)
{
    window.noWait = true;
    NewGame(false);
    Play("f5");
    Play("f6");
    Play("e6");
    Game.BookCursor = { 5, 7 };
    window.evalLabels = { "12", "JOSEKI" };
    window.calls.clear();
    BackBtnClick();
    EXPECT_EQ(Game.HistoryTop, 1);
    EXPECT_EQ(Game.SideToMove, White);
    TBoard afterF5;
    MakeMove(InitialBoard(), afterF5, 6, 5, Black);
    EXPECT_EQ(Game.GameBoard, afterF5);
    EXPECT_EQ(Game.ViewBoard, afterF5);
    EXPECT_EQ(window.evalLabels, (std::array<std::string, 2> { "", "" }));
    EXPECT_EQ(window.lastMoveLabels, (std::array<std::string, 2> { "f5", "" }));
    EXPECT_EQ(window.countLabels[0], "Black: 4");
    EXPECT_EQ(Game.LegalMoveCount, 3);
    EXPECT_EQ(Game.BookCursor.black, 0);
    EXPECT_EQ(Game.BookCursor.white, 0);
    EXPECT_EQ(window.calls.back(), "FormPaint");
}

TEST_F(GameFlowTest, BackDoesNothingWithFewerThanThreeRecords)
{
    window.noWait = true;
    NewGame(false);
    Play("d3");
    window.calls.clear();
    BackBtnClick();
    EXPECT_EQ(Game.HistoryTop, 1);
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(GameFlowTest, BackSkipsPositionsWhereTheSideHadToPassAndNamesTheLastRealMoves)
{
    // Take back from every position of many random games and check the outcome against the rule: the same
    // side to move, the latest earlier position where it had a move, and the last-move labels of both sides.
    int skipsSeen = 0;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        ResetGameState();
        window = TRecordingWindow {};
        window.noWait = true;
        NewGame(false);
        std::mt19937 random(seed);
        while (window.results.empty()) {
            const auto moves = LegalMoves(Game.SideToMove);
            const TSquare move
                = moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(random)];
            PlayMove(move.x, move.y);
            const TGameState saved = Game;
            const int top = Game.HistoryTop;
            TakeBack();
            if (top < 2) {
                EXPECT_EQ(Game.HistoryTop, top);
            } else {
                const int back = Game.HistoryTop;
                EXPECT_EQ(back % 2, top % 2);
                EXPECT_LE(back, top - 2);
                EXPECT_TRUE(back < 2 || Game.History[back].Mobility > 0);
                for (int between = back + 2; between < top; between += 2) {
                    EXPECT_EQ(Game.History[between].Mobility, 0);
                    ++skipsSeen;
                }
                TBoard board = InitialBoard();
                UnpackRows(Game.History[back].Rows, board);
                EXPECT_EQ(Game.GameBoard, board);
                EXPECT_EQ(window.lastMoveLabels[0], LastMoveOf(Black, back));
                EXPECT_EQ(window.lastMoveLabels[1], LastMoveOf(White, back));
            }
            Game = saved;
        }
    }
    EXPECT_GT(skipsSeen, 0) << "the seeds should include a take-back over a pass";
}

TEST_F(GameFlowTest, StopWhileTheComputerThinksHandsThatSideToAPerson)
{
    window.noWait = true;
    NewGame(false);
    Play("f5");
    window.levels = { 0, 3 };
    window.onProcessMessages = [](int) { BackBtnClick(); };
    SetThinkFunction([](int) { return FirstLegalMove(); });
    RunComputer();
    EXPECT_EQ(Game.HistoryTop, 1) << "the stopped computer's square is not played";
    EXPECT_EQ(window.levels[1], 0);
    EXPECT_EQ(window.statusText, "");
    EXPECT_TRUE(Game.InputEnabled);
    EXPECT_FALSE(Game.Busy);
    EXPECT_EQ(window.CallsStartingWith("Status Interrupted...Please wait.").size(), 1U);
}

TEST_F(GameFlowTest, TwoComputersPlayAWholeGameInOneCall)
{
    window.noWait = true;
    window.levels = { 1, 2 };
    NewGame(false);
    int thinks = 0;
    SetThinkFunction([&thinks](int) {
        ++thinks;
        EXPECT_FALSE(Game.InputEnabled);
        EXPECT_TRUE(Game.Busy);
        return FirstLegalMove();
    });
    RunComputer();
    EXPECT_EQ(window.results.size(), 1U);
    EXPECT_GT(thinks, 20);
    EXPECT_TRUE(Game.EmptyCount == 0 || (window.levels[0] == 0 && window.levels[1] == 0));
}

TEST_F(GameFlowTest, StopWhileAComputerThinksInAComputerGameStopsOnlyThatSide)
{
    window.noWait = true;
    window.levels = { 1, 2 };
    NewGame(false);
    int thinks = 0;
    SetThinkFunction([&](int) {
        if (++thinks == 7) {
            window.onProcessMessages = [](int) { BackBtnClick(); };
        }
        return FirstLegalMove();
    });
    RunComputer();
    EXPECT_EQ(thinks, 7);
    EXPECT_EQ(Game.HistoryTop, 6);
    EXPECT_EQ(window.levels, (std::array<int, 2> { 0, 2 })) << "Black was thinking at the seventh call";
    EXPECT_EQ(window.statusText, "");
}

TEST_F(GameFlowTest, StopWhileAMoveIsShownEndsTheRunAfterThatMove)
{
    window.pauseTicks = 2;
    window.levels = { 1, 2 };
    NewGame(false);
    int thinks = 0;
    SetThinkFunction([&](int) {
        ++thinks;
        const auto moves = LegalMoves(Game.SideToMove);
        if (thinks == 4) {
            // Pressed during the first pause of the fourth move (a White move).
            const int rounds = window.messageRounds;
            window.onProcessMessages = [rounds](int round) {
                if (round == rounds + 1) {
                    BackBtnClick();
                }
            };
        }
        return moves.front();
    });
    RunComputer();
    EXPECT_EQ(thinks, 4);
    EXPECT_EQ(Game.HistoryTop, 4) << "the move being shown is completed";
    EXPECT_EQ(window.levels, (std::array<int, 2> { 0, 2 })) << "the next side (Black) becomes Human";
    EXPECT_EQ(window.statusText, "") << "the stop notice does not stay behind";
}

TEST_F(GameFlowTest, DebugModeShowsTheComputerWithoutPlaying)
{
    window.noWait = true;
    NewGame(false);
    Game.DebugMode = true;
    window.levels = { 9, 0 };
    SetThinkFunction([](int) { return FirstLegalMove(); });
    RunComputer();
    EXPECT_EQ(Game.HistoryTop, 0);
    EXPECT_EQ(window.levels[0], 0);
}

TEST_F(GameFlowTest, AFullHistoryEndsTheGameWithoutWritingPastIt)
{
    window.noWait = true;
    window.levels = { 3, 3 };
    // The initial position as record 118, Black to move.
    LoadPosition(InitialBoard(), Black, HistoryCapacity - 2);
    Game.MoveAfterHistory = 12345;
    Play("d3");
    EXPECT_EQ(Game.HistoryTop, HistoryCapacity - 1);
    EXPECT_EQ(Game.History[HistoryCapacity - 1].Move, 43);
    ASSERT_EQ(window.results.size(), 1U);
    EXPECT_EQ(window.levels, (std::array<int, 2> { 0, 0 }));
    EXPECT_TRUE(HistoryIsFull());
    const TBoard board = Game.GameBoard;
    Play("c3");
    SetThinkFunction([](int) { return FirstLegalMove(); });
    window.levels = { 3, 3 };
    RunComputer();
    EXPECT_EQ(Game.HistoryTop, HistoryCapacity - 1);
    EXPECT_EQ(Game.GameBoard, board);
    EXPECT_EQ(Game.MoveAfterHistory, 12345);
}

TEST_F(GameFlowTest, AFullHistoryDuringAPassStopsBeforeTheExtraMoveField)
{
    window.noWait = true;
    // Record 117 with Black to move; after Black c1 White must pass, which needs records 118 and 119.
    LoadPosition(
        BoardWith({ { "a1", Black }, { "b1", White }, { "d1", White } }), White, HistoryCapacity - 3);
    Game.SideToMove = Black;
    CountLegalMoves();
    Game.MoveAfterHistory = 777;
    Play("c1");
    EXPECT_EQ(Game.HistoryTop, HistoryCapacity - 1);
    EXPECT_EQ(Game.History[HistoryCapacity - 1].Move, 0);
    EXPECT_EQ(Game.MoveAfterHistory, 777);
    EXPECT_EQ(window.results.size(), 1U);
}
