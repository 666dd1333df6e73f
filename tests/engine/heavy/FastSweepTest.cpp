// The long differential sweep of the fast engine against the plain oracle, over games the short suite does
// not play. `make test` runs it in its bounded form; KALVORO_SWEEP_GAMES sets the number of games (default
// 4), for example `KALVORO_SWEEP_GAMES=200 ctest -L heavy`.
#include "engine/ExactSolver.h"
#include "engine/Search.h"
#include "reference/PlainSearch.h"
#include "support/RandomGames.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>

using namespace kalvoro::engine;
using namespace kalvoro::reference;

namespace {

unsigned SweepGames()
{
    const char* text = std::getenv("KALVORO_SWEEP_GAMES");
    const int games = text != nullptr ? std::atoi(text) : 0;
    return games > 0 ? static_cast<unsigned>(games) : 4U;
}

// Positions of games with seeds from 1001 on, away from the short suite's seeds.
std::vector<TRandomPosition> SweepPositions()
{
    std::vector<TRandomPosition> all;
    for (unsigned seed = 1001; seed < 1001 + SweepGames(); ++seed) {
        const auto positions = RandomGamePositions(seed);
        all.insert(all.end(), positions.begin(), positions.end());
    }
    return all;
}

TEST(FastSweep, MidGameSearchesAgreeNodeForNode)
{
    std::mt19937 random(101);
    const int savedLimit = NodeDepthLimit;
    for (const TRandomPosition& position : SweepPositions()) {
        const TSquareList list = BuildEmptyList(position.board);
        for (int variant = 0; variant < 6; ++variant) {
            const auto searchVariant = static_cast<TSearchVariant>(variant);
            const int limit = 1 + static_cast<int>(random() % 3);
            const int bound = std::uniform_int_distribution<int>(-200, 200)(random);
            std::uint64_t plainNodes = 0;
            std::uint64_t nodes = 0;
            const int expected = plain::Search(searchVariant, position.board, list, position.sideToMove,
                false, 1, bound, limit, &plainNodes);
            NodeDepthLimit = limit;
            ASSERT_EQ(SearchCountingNodes(
                          searchVariant, position.board, list, position.sideToMove, false, 1, bound, nodes),
                expected);
            ASSERT_EQ(nodes, plainNodes);
        }
    }
    NodeDepthLimit = savedLimit;
}

TEST(FastSweep, SolversAgreeNearTheEnd)
{
    std::mt19937 random(102);
    TExactTable table;
    for (const TRandomPosition& position : SweepPositions()) {
        const TSquareList list = BuildEmptyList(position.board);
        if (list.count > 12) {
            continue;
        }
        const int side = position.sideToMove;
        // Strict bounds, as the computer player hands down, and now and then any bound.
        const int bound = random() % 4 == 0 ? std::uniform_int_distribution<int>(-30, 30)(random)
                                            : -side * std::uniform_int_distribution<int>(1, 40)(random);
        for (bool winLoss : { false, true }) {
            plain::TCountingHost plainHost;
            plain::TCountingHost host;
            const int expected = plain::Solve(position.board, list, side, false, bound, winLoss, plainHost);
            const int fast = winLoss
                ? SolveWinLossFast(position.board, list, side, false, bound, host, table)
                : SolveExactStrong(position.board, list, side, false, bound, host, table);
            ASSERT_EQ(fast, expected)
                << "empties " << list.count << " bound " << bound << " win-loss " << winLoss;
        }
    }
}

// Thirteen and fourteen empty squares: deep enough for several levels of the fast win-or-loss search above
// its list-order part, with a strict bound as the computer player's root loop hands it down.
TEST(FastSweep, FastWinLossAgreesFurtherFromTheEnd)
{
    std::mt19937 random(103);
    TExactTable table;
    for (const TRandomPosition& position : SweepPositions()) {
        const TSquareList list = BuildEmptyList(position.board);
        if (list.count != 13 && list.count != 14) {
            continue;
        }
        const int side = position.sideToMove;
        const int bound = -side * std::uniform_int_distribution<int>(1, 64)(random);
        plain::TCountingHost plainHost;
        plain::TCountingHost host;
        ASSERT_EQ(SolveWinLossFast(position.board, list, side, false, bound, host, table),
            plain::Solve(position.board, list, side, false, bound, true, plainHost))
            << "empties " << list.count << " bound " << bound;
    }
}

// Sixteen to twenty empty squares on two threads against one, with the bounds of the root loops, each thread
// count with tables of its own.
TEST(FastSweep, TwoThreadsAgreeWithOne)
{
    std::mt19937 random(104);
    TExactTable oneThread;
    std::array<TExactTable, 3> twoThreads;
    for (const TRandomPosition& position : SweepPositions()) {
        const TSquareList list = BuildEmptyList(position.board);
        if (list.count < 16 || list.count > 20) {
            continue;
        }
        const int side = position.sideToMove;
        const int bound = -side * std::uniform_int_distribution<int>(-20, 20)(random);
        TQuietHost host;
        ASSERT_EQ(SolveExactStrong(position.board, list, side, false, bound, host, twoThreads[0], 2),
            SolveExactStrong(position.board, list, side, false, bound, host, oneThread));
        ASSERT_EQ(SolveWinLossFast(position.board, list, side, false, bound, host, twoThreads[1], 2),
            SolveWinLossFast(position.board, list, side, false, bound, host, oneThread));
        ASSERT_EQ(
            ExactScore(position.board, side, twoThreads[2], 2), ExactScore(position.board, side, oneThread));
    }
}

} // namespace
