#include "GameFlowFixture.h"
#include "records/MoveTranscript.h"
#include "support/ReferenceRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;

TEST_F(GameFlowTest, NewGameSetsUpTheFirstRecord)
{
    NewGame(false);
    EXPECT_EQ(Game.HistoryTop, 0);
    EXPECT_EQ(Game.SideToMove, Black);
    EXPECT_EQ(Game.LegalMoveCount, 4);
    EXPECT_EQ(Game.EmptyCount, 60);
    EXPECT_EQ(window.countLabels[0], "Black: 2");
    EXPECT_EQ(window.countLabels[1], "White: 2");
    EXPECT_EQ(window.highlighted, Black);
    EXPECT_EQ(Game.History[0].Mobility, 4);
    const std::array<std::uint16_t, 8> rows { 21845, 21845, 21845, 21653, 22037, 21845, 21845, 21845 };
    EXPECT_EQ(Game.History[0].Rows, rows);
    EXPECT_EQ(Game.ViewBoard, Game.GameBoard);
    EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "FormPaint"), 0);
}

TEST_F(GameFlowTest, NewGameWithTheComputerRepaintsAndLetsABlackComputerMove)
{
    window.noWait = true;
    window.levels = { 3, 0 };
    SetThinkFunction([](int) { return FirstLegalMove(); });
    NewGame(true);
    EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "FormPaint"), 1);
    const auto paint = std::find(window.calls.begin(), window.calls.end(), "FormPaint");
    EXPECT_LT(paint - window.calls.begin(),
        std::find(window.calls.begin(), window.calls.end(), "DrawSquare d3") - window.calls.begin())
        << "the board is repainted before the computer's first move";
    EXPECT_EQ(Game.HistoryTop, 1) << "the computer played one move for Black, then White (Human) is to move";
    EXPECT_EQ(Game.History[1].Move, 43);
}

TEST_F(GameFlowTest, AMoveTurnsItsDiscsOneByOneWithAPauseEach)
{
    NewGame(false);
    window.calls.clear();
    window.pauseTicks = 5;
    Play("d3");
    EXPECT_EQ(Game.History[1].Move, 43);
    EXPECT_EQ(Game.History[1].Mobility, 3);
    EXPECT_EQ(Cell(Game.GameBoard, 4, 4), Black);
    EXPECT_EQ(window.lastMoveLabels[0], "d3");
    EXPECT_EQ(Game.SideToMove, White);
    const std::vector<std::string> expected { "LastMoveLabel Black d3", "ClearLegalMarks", "Cursor busy",
        "Input off", "DrawSquare d3", "Timer on", "Timer off", "DrawSquare d4", "Timer on", "Timer off",
        "Cursor normal", "Input on", "CountLabel Black Black: 4", "CountLabel White White: 1",
        "Highlight White" };
    EXPECT_EQ(window.calls, expected);
    EXPECT_EQ(window.messageRounds, 10) << "two pauses of five ticks";
    EXPECT_FALSE(Game.Busy);
    EXPECT_TRUE(Game.InputEnabled);
}

TEST_F(GameFlowTest, NoWaitRepaintsInsteadOfPausing)
{
    NewGame(false);
    window.noWait = true;
    Play("f5");
    EXPECT_EQ(window.CallsStartingWith("RepaintPending").size(), 2U);
    EXPECT_TRUE(window.CallsStartingWith("Timer").empty());
    EXPECT_EQ(window.messageRounds, 0);
}

TEST_F(GameFlowTest, TurnedDiscsFollowTheDirectionOrderOutwards)
{
    // Black e5 turns d4 (north-west), e4 (north) and e6 e7 (south), in this order.
    LoadPosition(BoardWith({ { "c3", Black }, { "d4", White }, { "e3", Black }, { "e4", White },
                     { "e6", White }, { "e7", White }, { "e8", Black } }),
        Black);
    window.noWait = true;
    Play("e5");
    EXPECT_EQ(window.CallsStartingWith("DrawSquare"),
        (std::vector<std::string> {
            "DrawSquare e5", "DrawSquare d4", "DrawSquare e4", "DrawSquare e6", "DrawSquare e7" }));
}

TEST_F(GameFlowTest, APassAddsTwoRecordsAndOneMessage)
{
    // After Black c1, White has no move but Black still has e1.
    LoadPosition(BoardWith({ { "a1", Black }, { "b1", White }, { "d1", White } }), Black);
    window.noWait = true;
    Play("c1");
    EXPECT_EQ(window.passMessages, (std::vector<std::string> { "White are to pass." }));
    ASSERT_EQ(Game.HistoryTop, 2);
    EXPECT_EQ(Game.History[1].Move, 31);
    EXPECT_EQ(Game.History[1].Mobility, 0);
    EXPECT_EQ(Game.History[2].Move, 0);
    EXPECT_EQ(Game.History[2].Mobility, 1);
    EXPECT_EQ(Game.History[2].Rows, Game.History[1].Rows);
    EXPECT_EQ(Game.SideToMove, Black);
    EXPECT_TRUE(window.results.empty());
}

TEST_F(GameFlowTest, WhenNeitherSideCanMoveBothPassAndTheResultFollows)
{
    LoadPosition(BoardWith({ { "a1", Black }, { "b1", White }, { "d1", White } }), Black);
    window.noWait = true;
    window.levels = { 5, 7 };
    Play("c1");
    Play("e1");
    EXPECT_EQ(window.passMessages,
        (std::vector<std::string> { "White are to pass.", "White are to pass.", "Black are to pass." }));
    ASSERT_EQ(window.results.size(), 1U);
    EXPECT_EQ(
        window.results[0], (std::array<std::string, 3> { "Black : 5", "White : 0", "Black won by 5." }));
    EXPECT_EQ(Game.HistoryTop, 4);
    EXPECT_EQ(Game.History[4].Move, 0);
    EXPECT_EQ(window.levels, (std::array<int, 2> { 0, 0 })) << "empty squares are left: both become Human";
    const auto tail = std::vector<std::string>(window.calls.end() - 4, window.calls.end());
    EXPECT_EQ(tail[1], "OpenAnalysis");
}

TEST_F(GameFlowTest, AFullBoardKeepsThePlayers)
{
    // Every square but h8 is Black apart from a White g8: Black h8 fills the board.
    std::initializer_list<std::pair<const char*, int>> none {};
    TBoard board = BoardWith(none);
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            Cell(board, x, y) = Black;
        }
    }
    Cell(board, 7, 8) = White;
    Cell(board, 8, 8) = EmptyCell;
    LoadPosition(board, Black);
    window.noWait = true;
    window.levels = { 2, 3 };
    Play("h8");
    EXPECT_TRUE(window.passMessages.empty());
    ASSERT_EQ(window.results.size(), 1U);
    EXPECT_EQ(window.results[0][2], "Black won by 64.");
    EXPECT_EQ(window.levels, (std::array<int, 2> { 2, 3 }));
    EXPECT_EQ(Game.EmptyCount, 0);
}

// Rows above `row` Black, rows below White; `row` itself holds `blacks` Black discs from the left, then
// `empties` empty squares, then White discs. Neither side has a move on such a board. To let Black end the
// game with a move, b1 is White and c1 empty: Black c1 turns b1 and gives exactly that board.
TBoard BoardBeforeTheLastMove(int row, int blacks, int empties)
{
    TBoard board = BoardWith({});
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            int colour = y < row ? Black : White;
            if (y == row) {
                colour = x <= blacks ? Black : (x <= blacks + empties ? EmptyCell : White);
            }
            Cell(board, x, y) = static_cast<std::int16_t>(colour);
        }
    }
    Cell(board, 2, 1) = White;
    Cell(board, 3, 1) = EmptyCell;
    return board;
}

TEST_F(GameFlowTest, TheResultCountsDiscsAndGivesEmptySquaresToNobody)
{
    struct Case {
        int row, blacks, empties;
        std::array<std::string, 3> lines;
    };
    const Case cases[] = {
        { 5, 1, 0, { "Black : 33", "White : 31", "Black won by 2." } },
        { 5, 0, 0, { "Black : 32", "White : 32", "Draw Game." } },
        { 6, 0, 4, { "Black : 40", "White : 20", "Black won by 20." } },
        { 2, 4, 2, { "Black : 12", "White : 50", "White won by 38." } },
    };
    for (const Case& c : cases) {
        ResetGameState();
        window = TRecordingWindow {};
        window.noWait = true;
        window.levels = { 4, 4 };
        LoadPosition(BoardBeforeTheLastMove(c.row, c.blacks, c.empties), Black);
        ASSERT_TRUE(IsLegalMove(3, 1, Black));
        Play("c1");
        ASSERT_EQ(window.results.size(), 1U);
        EXPECT_EQ(window.results[0], c.lines);
        EXPECT_EQ(window.passMessages.size(), c.empties > 0 ? 2U : 0U);
        const int expectedLevel = c.empties > 0 ? 0 : 4;
        EXPECT_EQ(window.levels, (std::array<int, 2> { expectedLevel, expectedLevel }));
    }
}

namespace {

// Checks what must hold whenever the game waits for its next move.
void ExpectConsistentState(const TRecordingWindow& window)
{
    ASSERT_GE(Game.HistoryTop, 0);
    EXPECT_EQ(Game.SideToMove, Game.HistoryTop % 2 == 0 ? Black : White);
    const THistoryRecord& record = Game.History[Game.HistoryTop];
    EXPECT_EQ(record.Rows, PackRows(Game.GameBoard));
    EXPECT_EQ(Game.ViewBoard, Game.GameBoard);
    const auto grid = reference::ToGrid(Game.GameBoard);
    EXPECT_EQ(record.Mobility, reference::CountMoves(grid, Game.SideToMove));
    EXPECT_EQ(Game.LegalMoveCount, record.Mobility);
    const int black = CountDiscs(Game.GameBoard, Black);
    const int white = CountDiscs(Game.GameBoard, White);
    EXPECT_EQ(Game.EmptyCount, 64 - black - white);
    EXPECT_EQ(window.countLabels[0], "Black: " + std::to_string(black));
    EXPECT_EQ(window.countLabels[1], "White: " + std::to_string(white));
    EXPECT_EQ(window.highlighted, Game.SideToMove);
}

} // namespace

TEST_F(GameFlowTest, RandomGamesBetweenTwoPeopleKeepEveryRecordTrue)
{
    window.noWait = true;
    int passesSeen = 0;
    int earlyEnds = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        ResetGameState();
        window = TRecordingWindow {};
        window.noWait = true;
        NewGame(false);
        std::mt19937 random(seed);
        while (window.results.empty()) {
            const auto moves = LegalMoves(Game.SideToMove);
            ASSERT_FALSE(moves.empty()) << "the flow waits only for a side that can move";
            const TSquare move
                = moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(random)];
            const int before = Game.HistoryTop;
            const TBoard boardBefore = Game.GameBoard;
            const int mover = Game.SideToMove;
            PlayMove(move.x, move.y);
            EXPECT_EQ(Game.History[before + 1].Move, MoveCode(move.x, move.y));
            TBoard expected;
            MakeMove(boardBefore, expected, move.x, move.y, mover);
            EXPECT_EQ(Game.GameBoard, expected);
            for (int r = before + 2; r <= Game.HistoryTop; ++r) {
                EXPECT_EQ(Game.History[r].Move, 0) << "a record after a pass has no move";
                EXPECT_EQ(Game.History[r].Rows, Game.History[r - 1].Rows);
                EXPECT_EQ(Game.History[r - 1].Mobility, 0);
                ++passesSeen;
            }
            ExpectConsistentState(window);
        }
        ASSERT_EQ(window.results.size(), 1U);
        const int black = CountDiscs(Game.GameBoard, Black);
        const int white = CountDiscs(Game.GameBoard, White);
        EXPECT_EQ(window.results[0][0], "Black : " + std::to_string(black));
        EXPECT_EQ(window.results[0][1], "White : " + std::to_string(white));
        if (Game.EmptyCount > 0) {
            ++earlyEnds;
            EXPECT_EQ(Game.LegalMoveCount, 0);
            EXPECT_EQ(reference::CountMoves(reference::ToGrid(Game.GameBoard), -Game.SideToMove), 0);
        }
    }
    EXPECT_GT(passesSeen, 0) << "the seeds should include games with passes";
    EXPECT_GT(earlyEnds, 0) << "the seeds should include games that end with empty squares";
}

TEST_F(GameFlowTest, APastedTranscriptReplaysTheGameWithItsPassesOrIsRefusedWhole)
{
    int passesSeen = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
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
        }
        const TGameState played = Game;
        const std::vector<std::uint16_t> codes = GameMoves();
        passesSeen += static_cast<int>(std::count(codes.begin(), codes.end(), 0));
        const TTranscriptReading reading = ReadTranscript(TranscriptOf(codes));
        ASSERT_FALSE(reading.unreadable);

        NewGame(false);
        PlayMove(4, 3);
        const TGameState before = Game;
        window.calls.clear();
        // A move after the end, and an occupied square, are refused and change nothing.
        std::vector<std::uint16_t> tooLong = reading.moveCodes;
        tooLong.push_back(tooLong.back());
        EXPECT_EQ(SetUpFromMoves(tooLong), static_cast<int>(tooLong.size()));
        EXPECT_EQ(SetUpFromMoves(std::vector<std::uint16_t> { 65, 65 }), 2);
        EXPECT_TRUE(window.calls.empty());
        EXPECT_EQ(Game.HistoryTop, before.HistoryTop);
        EXPECT_EQ(Game.GameBoard, before.GameBoard);

        window.levels = { 3, 5 };
        EXPECT_EQ(SetUpFromMoves(reading.moveCodes), 0);
        ASSERT_EQ(Game.HistoryTop, played.HistoryTop) << seed;
        for (int k = 0; k <= Game.HistoryTop; ++k) {
            EXPECT_EQ(Game.History[k], played.History[k]) << seed << " record " << k;
        }
        EXPECT_EQ(Game.GameBoard, played.GameBoard);
        EXPECT_EQ(window.levels, (std::array<int, 2> { HumanLevel, HumanLevel }));
        EXPECT_TRUE(Game.InputEnabled);
    }
    EXPECT_GT(passesSeen, 0) << "the seeds should include games with passes";
}
