#include "engine/Search.h"
#include "reference/PlainSearch.h"
#include "support/RandomGames.h"
#include "support/StopHosts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::reference;

namespace {

using plain::TCountingHost;

TBoard FilledBoard(int colour)
{
    TBoard board = InitialBoard();
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            Cell(board, x, y) = static_cast<std::int16_t>(colour);
        }
    }
    return board;
}

TBoard EmptyBoard()
{
    return FilledBoard(EmptyCell);
}

int Solve(bool winLoss, const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
    ISolverHost& host, std::uint64_t& nodes)
{
    return winLoss ? SolveWinLossCountingNodes(board, list, colour, passed, bound, host, nodes)
                   : SolveExactCountingNodes(board, list, colour, passed, bound, host, nodes);
}

// The first random-game position with `empties` empty squares, or none.
std::optional<TRandomPosition> PositionWithEmpties(unsigned seed, int empties)
{
    for (const TRandomPosition& position : RandomGamePositions(seed)) {
        if (BuildEmptyList(position.board).count == empties) {
            return position;
        }
    }
    return std::nullopt;
}

int FirstLegalEntry(const TBoard& board, const TSquareList& list, int colour)
{
    for (int k = 0; k < list.count; ++k) {
        if (CanFlip(board, list.squares[k].x, list.squares[k].y, colour)) {
            return k;
        }
    }
    return -1;
}

// The exact value of every legal move in list order, by the plain solver with bounds that never cut.
std::vector<int> ExactMoveValues(const TBoard& board, const TSquareList& list, int colour)
{
    std::vector<int> values;
    TCountingHost host;
    for (int k = 0; k < list.count; ++k) {
        TBoard child;
        if (MakeMove(board, child, list.squares[k].x, list.squares[k].y, colour)) {
            values.push_back(
                plain::Solve(child, ChildList(list, k), -colour, false, -32768 * colour, false, host));
        }
    }
    return values;
}

TEST(Solvers, LastSquareGoesToWhoeverCanTakeIt)
{
    // Black everywhere but g8 (White) and h8 (empty): only Black can take h8.
    TBoard board = FilledBoard(Black);
    Cell(board, 7, 8) = White;
    Cell(board, 8, 8) = EmptyCell;
    const TSquareList list = BuildEmptyList(board);
    for (bool winLoss : { false, true }) {
        for (bool passed : { false, true }) {
            TCountingHost host;
            std::uint64_t nodes = 0;
            EXPECT_EQ(Solve(winLoss, board, list, White, passed, 9999, host, nodes), 64);
            EXPECT_EQ(Solve(winLoss, board, list, Black, passed, -9999, host, nodes), 64);
            EXPECT_EQ(nodes, 2u);
        }
    }
    // Nobody can take it: the square stays empty and counts nothing.
    Cell(board, 7, 8) = Black;
    TCountingHost host;
    EXPECT_EQ(SolveExact(board, list, White, false, 9999, host), 63);
    EXPECT_EQ(SolveWinLoss(board, list, Black, true, -9999, host), 63);
}

TEST(Solvers, NoMovesForEitherSideScoresTheDiscsAtOnce)
{
    TBoard board = EmptyBoard();
    Cell(board, 1, 1) = Black;
    Cell(board, 2, 1) = Black;
    Cell(board, 3, 1) = Black;
    Cell(board, 8, 8) = White;
    const TSquareList list = BuildEmptyList(board);
    for (bool winLoss : { false, true }) {
        TCountingHost host;
        std::uint64_t nodes = 0;
        EXPECT_EQ(Solve(winLoss, board, list, White, false, -9999, host, nodes), 2);
        EXPECT_EQ(nodes, 2u);
        nodes = 0;
        EXPECT_EQ(Solve(winLoss, board, list, Black, true, 9999, host, nodes), 2);
        EXPECT_EQ(nodes, 1u);
    }
    // A full board passes twice too.
    const TBoard full = FilledBoard(White);
    TCountingHost host;
    EXPECT_EQ(SolveExact(full, BuildEmptyList(full), Black, false, 9999, host), -64);
}

TEST(Solvers, WinLossStopsAtTheFirstWinExactGoesOnToTheLargest)
{
    int checked = 0;
    for (const TRandomPosition& position : ManyRandomPositions(60)) {
        const TSquareList list = BuildEmptyList(position.board);
        if (position.sideToMove != Black || list.count < 6 || list.count > 8 || checked >= 5) {
            continue;
        }
        const std::vector<int> values = ExactMoveValues(position.board, list, Black);
        if (values.empty() || values[0] <= 0
            || *std::max_element(values.begin(), values.end()) <= values[0]) {
            continue;
        }
        const int first = FirstLegalEntry(position.board, list, Black);
        TBoard child;
        MakeMove(position.board, child, list.squares[first].x, list.squares[first].y, Black);
        TCountingHost host;
        std::uint64_t childNodes = 0;
        const int firstWin
            = SolveWinLossCountingNodes(child, ChildList(list, first), White, false, -9999, host, childNodes);
        std::uint64_t nodes = 0;
        EXPECT_EQ(SolveWinLossCountingNodes(position.board, list, Black, false, 9999, host, nodes), firstWin);
        EXPECT_GT(firstWin, 0);
        EXPECT_EQ(nodes, childNodes + 1);
        EXPECT_EQ(SolveExact(position.board, list, Black, false, 9999, host),
            *std::max_element(values.begin(), values.end()));
        ++checked;
    }
    EXPECT_EQ(checked, 5);
}

TEST(Solvers, DrawDoesNotEndAWinLossNode)
{
    int checked = 0;
    for (const TRandomPosition& position : ManyRandomPositions(150)) {
        const TSquareList list = BuildEmptyList(position.board);
        if (position.sideToMove != Black || list.count < 4 || list.count > 8 || checked >= 3) {
            continue;
        }
        const std::vector<int> values = ExactMoveValues(position.board, list, Black);
        if (values.size() < 2 || values[0] != 0 || *std::max_element(values.begin(), values.end()) <= 0) {
            continue;
        }
        TCountingHost host;
        EXPECT_GT(SolveWinLoss(position.board, list, Black, false, 9999, host), 0);
        ++checked;
    }
    EXPECT_EQ(checked, 3);
}

TEST(Solvers, StopBeforeTheCallTriesNoMove)
{
    const auto position = PositionWithEmpties(3, 12);
    ASSERT_TRUE(position);
    const TSquareList list = BuildEmptyList(position->board);
    for (bool winLoss : { false, true }) {
        TStopOnMessagesHost host;
        host.stop = true;
        std::uint64_t nodes = 0;
        Solve(winLoss, position->board, list, position->sideToMove, false, 0, host, nodes);
        EXPECT_EQ(nodes, 1u);
        EXPECT_EQ(host.stopQueries, 1);
        EXPECT_EQ(host.messageCalls, 0);
    }
}

TEST(Solvers, StopDuringTheSolveEndsItAtTheNextNodes)
{
    const auto position = PositionWithEmpties(5, 13);
    ASSERT_TRUE(position);
    const TSquareList list = BuildEmptyList(position->board);
    for (bool winLoss : { false, true }) {
        TStopOnMessagesHost host;
        std::uint64_t nodes = 0;
        Solve(winLoss, position->board, list, position->sideToMove, false, 32768 * position->sideToMove, host,
            nodes);
        EXPECT_EQ(host.messageCalls, 1);
        // The root, the first 12-empty child, and one node per move left to try above the stop.
        EXPECT_LE(nodes, 2u + 12u + 13u);
    }
}

TEST(Solvers, MessagesAreProcessedAtEveryNodeWithTwelveEmptySquares)
{
    for (unsigned seed = 1; seed <= 4; ++seed) {
        const auto twelve = PositionWithEmpties(seed, 12);
        const auto eleven = PositionWithEmpties(seed, 11);
        ASSERT_TRUE(twelve && eleven);
        const int side = twelve->sideToMove;
        const TSquareList list = BuildEmptyList(twelve->board);
        const bool rootPasses = CountMobility(twelve->board, list, side) == 0;
        for (bool winLoss : { false, true }) {
            TCountingHost host;
            SolveWinLoss(eleven->board, BuildEmptyList(eleven->board), eleven->sideToMove, false, 0, host);
            EXPECT_EQ(host.messageCalls, 0);
            std::uint64_t nodes = 0;
            Solve(winLoss, twelve->board, list, side, false, 32768 * side, host, nodes);
            // The root itself, and its pass node when it has no move.
            EXPECT_EQ(host.messageCalls, rootPasses ? 2 : 1);
        }
    }
}

// Engine against the plain solvers: value, node count and message calls agree.
TEST(Solvers, AgreeWithThePlainSolversOnRandomPositions)
{
    std::mt19937 random(77);
    std::uniform_int_distribution<int> smallBound(-20, 20);
    int compared = 0;
    for (const TRandomPosition& position : ManyRandomPositions(30)) {
        const TSquareList list = BuildEmptyList(position.board);
        if (list.count > 10) {
            continue;
        }
        const int side = position.sideToMove;
        for (bool winLoss : { false, true }) {
            for (int bound : { -32768 * side, smallBound(random) }) {
                TCountingHost plainHost;
                TCountingHost host;
                std::uint64_t plainNodes = 0;
                std::uint64_t nodes = 0;
                const int expected
                    = plain::Solve(position.board, list, side, false, bound, winLoss, plainHost, &plainNodes);
                ASSERT_EQ(Solve(winLoss, position.board, list, side, false, bound, host, nodes), expected)
                    << "empties " << list.count << " bound " << bound << " win-loss " << winLoss;
                ASSERT_EQ(nodes, plainNodes);
                const int plainCall = winLoss ? SolveWinLoss(position.board, list, side, false, bound, host)
                                              : SolveExact(position.board, list, side, false, bound, host);
                ASSERT_EQ(plainCall, expected);
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 500);
}

TEST(Solvers, ThirteenEmptiesCountTheSameMessageCallsAsThePlainSolver)
{
    const auto position = PositionWithEmpties(9, 13);
    ASSERT_TRUE(position);
    const TSquareList list = BuildEmptyList(position->board);
    TCountingHost plainHost;
    TCountingHost host;
    const int side = position->sideToMove;
    EXPECT_EQ(SolveWinLoss(position->board, list, side, false, 32768 * side, host),
        plain::Solve(position->board, list, side, false, 32768 * side, true, plainHost));
    EXPECT_EQ(host.messageCalls, plainHost.messageCalls);
    EXPECT_GT(host.messageCalls, 0);
}

} // namespace
