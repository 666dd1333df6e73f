// The strong exact solver and the fast win-or-loss search against the plain solvers.
#include "engine/ExactSolver.h"
#include "engine/MoveChoice.h"
#include "engine/StrongSolver.h"
#include "reference/PlainSearch.h"
#include "support/RandomGames.h"
#include "support/StopHosts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>

using namespace kalvoro::engine;
using namespace kalvoro::reference;

namespace {

using plain::TCountingHost;

std::vector<TRandomPosition> LatePositions(unsigned games, int maxEmpties)
{
    std::vector<TRandomPosition> late;
    for (const TRandomPosition& position : ManyRandomPositions(games)) {
        if (BuildEmptyList(position.board).count <= maxEmpties) {
            late.push_back(position);
        }
    }
    return late;
}

int PlainExact(const TRandomPosition& position, int bound = 32768)
{
    TCountingHost host;
    const TSquareList list = BuildEmptyList(position.board);
    return plain::Solve(
        position.board, list, position.sideToMove, false, bound * position.sideToMove, false, host);
}

// Bounds a node can be handed: sentinels, 0, small values of both signs and the extremes of the score range.
std::vector<int> TestBounds(std::mt19937& random)
{
    std::uniform_int_distribution<int> small(-12, 12);
    return { -32768, 32768, -9999, 9999, 0, small(random), small(random), -64, 64, -63, 63, 1, -1 };
}

struct TRootChoice {
    TSquare move {};
    int best = -32768;
    friend bool operator==(const TRootChoice&, const TRootChoice&) = default;
};

// The computer player's root loop over a solver: every legal move in list order, each child bounded by
// best * side, the first of the best chosen; fast analysis ends at the first move that does not lose.
template <class Solver> TRootChoice ChooseRootMove(const TRandomPosition& position, bool fast, Solver solve)
{
    const TSquareList list = BuildEmptyList(position.board);
    const int side = position.sideToMove;
    TRootChoice choice;
    for (int k = 0; k < list.count; ++k) {
        if (fast && choice.best >= 0) {
            break;
        }
        TBoard child;
        if (!MakeMove(position.board, child, list.squares[k].x, list.squares[k].y, side)) {
            continue;
        }
        const int v = side * solve(child, ChildList(list, k), -side, choice.best * side);
        if (choice.move.x == 0 || v > choice.best) {
            choice = { list.squares[k], v };
        }
    }
    return choice;
}

TEST(FastSolver, ExactScoresEqualThePlainSolver)
{
    int compared = 0;
    TExactTable table;
    for (const TRandomPosition& position : LatePositions(100, 9)) {
        ASSERT_EQ(position.sideToMove * ExactScore(position.board, position.sideToMove, table),
            PlainExact(position));
        ++compared;
    }
    EXPECT_GT(compared, 700);
}

// From 20 empty squares up the exact score is pinned down by null-window tests, upwards or downwards from 0,
// or (in the largest trees) from the score of a line the table holds: each position's score equals that of
// one wide window.
TEST(FastSolver, NullWindowTestsGiveTheScoreOfOneWideWindow)
{
    std::vector<int> scores;
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const std::vector<TRandomPosition> game = RandomGamePositions(seed);
        const auto twenty = std::ranges::find_if(
            game, [](const TRandomPosition& p) { return BuildEmptyList(p.board).count == 20; });
        ASSERT_NE(twenty, game.end());
        const TRandomPosition& position = *twenty;
        const TBitBoard bits = ToBitBoard(position.board);
        const int side = position.sideToMove;
        TExactTable table;
        TStrongSolver wide(table, nullptr);
        const int score
            = wide.Solve(OwnDiscs(bits, side), OwnDiscs(bits, -side), -ExactInfinity, ExactInfinity);
        table.Clear();
        ASSERT_EQ(ExactScore(position.board, side, table), score) << seed;
        table.Clear();
        TStrongSolver fromLine(table, nullptr);
        fromLine.SetLineGuessEmpties(20);
        ASSERT_EQ(
            fromLine.SolveExactly(OwnDiscs(bits, side), OwnDiscs(bits, -side), -MaxScore, MaxScore, 0), score)
            << seed;
        scores.push_back(score);
    }
    EXPECT_TRUE(std::ranges::any_of(scores, [](int score) { return score < 0; }));
    EXPECT_TRUE(std::ranges::any_of(scores, [](int score) { return score > 0; }));
}

// A published endgame test position with 20 empty squares (#40 of the public FFO set): the tree is deep
// enough for the table, the cutoffs and the move order of the nodes with many empty squares to matter.
TEST(FastSolver, SolvesAPublishedTwentyEmptyPosition)
{
    const char* squares = "O--OOOOX-OOOOOOXOOXXOOOXOOXOOOXXOOOOOOXX---OOOOX----O--X--------";
    TBoard board = InitialBoard();
    for (int index = 0; index < 64; ++index) {
        const char square = squares[index];
        Cell(board, index % 8 + 1, index / 8 + 1) = square == 'X' ? Black : square == 'O' ? White : EmptyCell;
    }
    TExactTable table;
    std::uint64_t deepNodes = 0;
    EXPECT_EQ(ExactScore(board, Black, table, deepNodes), 38);
    EXPECT_GT(deepNodes, 0U);
}

// The strong and the fast solver as functions of (board, list, colour, passed, bound, host) using `table`.
auto StrongWith(TExactTable& table)
{
    return
        [&table](const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
            ISolverHost& host) { return SolveExactStrong(board, list, colour, passed, bound, host, table); };
}

auto FastWith(TExactTable& table)
{
    return
        [&table](const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
            ISolverHost& host) { return SolveWinLossFast(board, list, colour, passed, bound, host, table); };
}

// Compares `solve(board, list, side, passed, bound, host)` with the plain solver on every test bound of every
// position, after a pass too when `withPass`; `compared` counts the comparisons.
template <class Solver>
void CompareOnEveryBound(const std::vector<TRandomPosition>& positions, std::mt19937& random, bool winLoss,
    bool withPass, Solver solve, int& compared)
{
    for (const TRandomPosition& position : positions) {
        const int side = position.sideToMove;
        const TSquareList list = BuildEmptyList(position.board);
        for (int bound : TestBounds(random)) {
            for (bool passed : { false, true }) {
                if (passed && !withPass) {
                    continue;
                }
                TCountingHost plainHost;
                TCountingHost host;
                const int expected
                    = plain::Solve(position.board, list, side, passed, bound, winLoss, plainHost);
                ASSERT_EQ(solve(position.board, list, side, passed, bound, host), expected)
                    << "bound " << bound << " passed " << passed;
                ++compared;
            }
        }
    }
}

TEST(FastSolver, StrongSolveGivesThePlainValueForEveryBound)
{
    std::mt19937 random(21);
    int compared = 0;
    TExactTable table;
    CompareOnEveryBound(LatePositions(40, 9), random, false, true, StrongWith(table), compared);
    EXPECT_GT(compared, 4000);
}

TEST(FastSolver, CompleteAnalysisChoosesThePlainMoveAndValue)
{
    int compared = 0;
    TExactTable table;
    for (const TRandomPosition& position : LatePositions(120, 10)) {
        const auto plainSolve = [](const TBoard& board, const TSquareList& list, int colour, int bound) {
            TCountingHost host;
            return plain::Solve(board, list, colour, false, bound, false, host);
        };
        const auto strongSolve
            = [&table](const TBoard& board, const TSquareList& list, int colour, int bound) {
                  TCountingHost host;
                  return SolveExactStrong(board, list, colour, false, bound, host, table);
              };
        ASSERT_EQ(ChooseRootMove(position, false, strongSolve), ChooseRootMove(position, false, plainSolve));
        ++compared;
    }
    EXPECT_GT(compared, 1000);
}

TEST(FastSolver, FastWinLossGivesThePlainValueForEveryBound)
{
    std::mt19937 random(22);
    int compared = 0;
    TExactTable table;
    CompareOnEveryBound(LatePositions(60, 10), random, true, true, FastWith(table), compared);
    EXPECT_GT(compared, 10000);
}

// Both parts of the fast search (known results handed down, the losing side's floor and the end at -1, the
// losing side's moves tried out of list order; moves told by the strong solver or searched for their own
// results) each taken down to the last squares, where the plain solver is quick enough to
// check them on many positions and bounds.
TEST(FastSolver, EveryPartOfTheFastWinLossGivesThePlainValue)
{
    std::mt19937 random(24);
    int compared = 0;
    TExactTable table;
    const std::vector<TRandomPosition> positions = LatePositions(30, 11);
    for (int selfProvingEmpties : { 0, 3, 7, 64 }) {
        SCOPED_TRACE("self-proving from " + std::to_string(selfProvingEmpties));
        const auto solve = [selfProvingEmpties, &table](const TBoard& board, const TSquareList& list,
                               int colour, bool passed, int bound, ISolverHost& host) {
            return SolveWinLossFastWith(selfProvingEmpties, board, list, colour, passed, bound, host, table);
        };
        CompareOnEveryBound(positions, random, true, false, solve, compared);
    }
    EXPECT_GT(compared, 5000);
}

TEST(FastSolver, FastWinLossFollowsThePlainSearchAboveEleven)
{
    // Twelve and thirteen empty squares: the root classified by the strong solver, the rest searched with
    // messages at twelve empty squares.
    std::mt19937 random(23);
    int compared = 0;
    TExactTable table;
    for (const TRandomPosition& position : ManyRandomPositions(25)) {
        const TSquareList list = BuildEmptyList(position.board);
        if (list.count != 12 && list.count != 13) {
            continue;
        }
        const int side = position.sideToMove;
        for (int bound :
            { 32768 * side, side * std::uniform_int_distribution<int>(1, 20)(random), 0, -side * 5 }) {
            TCountingHost plainHost;
            TCountingHost host;
            ASSERT_EQ(SolveWinLossFast(position.board, list, side, false, bound, host, table),
                plain::Solve(position.board, list, side, false, bound, true, plainHost))
                << "bound " << bound;
            ++compared;
        }
    }
    EXPECT_GT(compared, 150);
}

TEST(FastSolver, FastAnalysisChoosesThePlainMoveAndValue)
{
    int compared = 0;
    TExactTable table;
    for (const TRandomPosition& position : LatePositions(150, 11)) {
        const auto plainSolve = [](const TBoard& board, const TSquareList& list, int colour, int bound) {
            TCountingHost host;
            return plain::Solve(board, list, colour, false, bound, true, host);
        };
        const auto fastSolve = [&table](const TBoard& board, const TSquareList& list, int colour, int bound) {
            TCountingHost host;
            return SolveWinLossFast(board, list, colour, false, bound, host, table);
        };
        ASSERT_EQ(ChooseRootMove(position, true, fastSolve), ChooseRootMove(position, true, plainSolve));
        ++compared;
    }
    EXPECT_GT(compared, 1500);
}

struct TThinkRecorder : IThinkHost {
    std::vector<std::string> statusTexts;
    std::string label;
    int messageCalls = 0;
    bool StopRequested() override { return false; }
    void ProcessMessages() override { ++messageCalls; }
    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void SetEvalLabel(int, const std::string& text) override { label = text; }
    void DrawDebugValue(int, int, int) override { }
};

// Think's complete and fast analysis against the plain solvers' root loop: every root value shown, the status
// texts, the move and the label.
TEST(FastSolver, ThinkShowsThePlainRootValuesMoveAndLabel)
{
    int compared = 0;
    TExactTable table;
    for (const TRandomPosition& position : LatePositions(40, 10)) {
        const TSquareList list = BuildEmptyList(position.board);
        // Four or more empty squares: fast analysis needs more than the least complete analysis depth, 3.
        if (list.count < 4 || CountMobility(position.board, list, position.sideToMove) == 0) {
            continue;
        }
        for (bool fast : { false, true }) {
            std::vector<std::pair<TSquare, int>> expected;
            std::vector<std::string> expectedTexts;
            const TRootChoice choice = ChooseRootMove(position, fast,
                [&](const TBoard& board, const TSquareList& childList, int colour, int bound) {
                    TCountingHost host;
                    const int r = plain::Solve(board, childList, colour, false, bound, fast, host);
                    return r;
                });
            TThinkRequest request;
            request.board = position.board;
            request.side = position.sideToMove;
            request.level = CustomLevel;
            request.row = fast ? TLevelRow { 3, list.count, 1 } : TLevelRow { list.count, list.count, 1 };
            std::vector<std::pair<TSquare, int>> shown;
            TBookCursors cursors;
            TThinkRecorder host;
            const TThinkResult result = Think(request, cursors, table, host,
                [&shown](TSquare square, int value) { shown.emplace_back(square, value); });
            ASSERT_EQ(result.mode, fast ? TThinkMode::Fast : TThinkMode::Complete);
            ASSERT_EQ(result.move, choice.move);
            ASSERT_EQ(host.label, std::to_string(choice.best));
            ASSERT_EQ(host.statusTexts.size(), shown.size());
            ASSERT_EQ(host.statusTexts.front().substr(0, 4), fast ? "[F] " : "[P] ");
            // Every shown value is what the plain solver gives that root move with the same bound.
            int best = -32768;
            for (const auto& [square, value] : shown) {
                TBoard child;
                int k = 0;
                while (!(list.squares[k] == square)) {
                    ++k;
                }
                ASSERT_TRUE(MakeMove(position.board, child, square.x, square.y, request.side));
                TCountingHost plainHost;
                const int side = request.side;
                ASSERT_EQ(value,
                    side
                        * plain::Solve(
                            child, ChildList(list, k), -side, false, best * side, fast, plainHost));
                best = std::max(best, value);
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 300);
}

TEST(FastSolver, StopsAtOnceAndAtTheFirstMessages)
{
    const std::vector<TRandomPosition> game = RandomGamePositions(31);
    const TRandomPosition& position = game[game.size() - 17];
    const TSquareList list = BuildEmptyList(position.board);
    ASSERT_GE(list.count, 13);
    TExactTable table;
    for (bool fast : { false, true }) {
        TStopOnMessagesHost stopped;
        stopped.stop = true;
        const auto solve = [fast, &table](const TBoard& board, const TSquareList& solveList, int colour,
                               bool passed, int bound, ISolverHost& host) {
            return fast ? SolveWinLossFast(board, solveList, colour, passed, bound, host, table)
                        : SolveExactStrong(board, solveList, colour, passed, bound, host, table);
        };
        solve(position.board, list, position.sideToMove, false, 32768, stopped);
        EXPECT_EQ(stopped.stopQueries, 1);
        EXPECT_EQ(stopped.messageCalls, 0);

        // A click seen at the first 12-empty node ends the solve: the stop is looked at again at once and
        // nothing else is processed.
        TStopOnMessagesHost clicked;
        solve(position.board, list, position.sideToMove, false, 32768, clicked);
        EXPECT_EQ(clicked.messageCalls, 1);
        EXPECT_LE(clicked.stopQueries, 3 + list.count);
    }
}

TEST(FastSolver, TableSizeIsFixed)
{
    EXPECT_GT(TExactTable::SizeInBytes(), 1U << 20);
    EXPECT_LE(TExactTable::SizeInBytes(), 64U << 20);
}

// What a table holds never changes a value: a filled table, the same table cleared and a second table
// filled by other solves in between all give the plain solvers' values.
TEST(FastSolver, FilledClearedAndSeparateTablesGiveThePlainValues)
{
    const std::vector<TRandomPosition> positions = LatePositions(10, 10);
    TExactTable first;
    TExactTable second;
    const auto solveAll = [&positions](TExactTable& exactTable, TExactTable& winLossTable) {
        for (const TRandomPosition& position : positions) {
            const TSquareList list = BuildEmptyList(position.board);
            const int side = position.sideToMove;
            TCountingHost host;
            ASSERT_EQ(SolveExactStrong(position.board, list, side, false, 32768 * side, host, exactTable),
                PlainExact(position));
            ASSERT_EQ(SolveWinLossFast(position.board, list, side, false, 32768 * side, host, winLossTable),
                plain::Solve(position.board, list, side, false, 32768 * side, true, host));
        }
    };
    solveAll(first, second);
    solveAll(first, second);
    first.Clear();
    solveAll(first, second);
    solveAll(second, first);
    EXPECT_GT(positions.size(), 100U);
}

} // namespace
