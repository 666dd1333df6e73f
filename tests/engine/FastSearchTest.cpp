// The bitboard mid-game searches and list-order solvers against the plain oracle: the same value and the same
// number of nodes on positions from random games, for every variant, depth and kind of bound.
#include "engine/Search.h"
#include "reference/PlainSearch.h"
#include "support/RandomGames.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

using namespace kalvoro::engine;
using namespace kalvoro::reference;

namespace {

constexpr std::array<TSearchVariant, 6> AllVariants { TSearchVariant::Discs, TSearchVariant::FewestDiscs,
    TSearchVariant::Mobility, TSearchVariant::MobilityEdges, TSearchVariant::Weighted,
    TSearchVariant::Graded };

struct TDepthLimit {
    explicit TDepthLimit(int limit)
        : saved(NodeDepthLimit)
    {
        NodeDepthLimit = limit;
    }
    ~TDepthLimit() { NodeDepthLimit = saved; }
    int saved;
};

// A bound of each kind a node can receive: none, the root's start, and ordinary values of either sign.
std::array<int, 4> BoundsFor(int side, std::mt19937& random)
{
    std::uniform_int_distribution<int> small(-60, 60);
    return { -32768 * side, 32768 * side, small(random), small(random) };
}

void ExpectSameSearch(TSearchVariant variant, const TRandomPosition& position, int limit, int bound)
{
    const TSquareList list = BuildEmptyList(position.board);
    std::uint64_t plainNodes = 0;
    std::uint64_t nodes = 0;
    const int expected = plain::Search(
        variant, position.board, list, position.sideToMove, false, 1, bound, limit, &plainNodes);
    const TDepthLimit depthLimit(limit);
    ASSERT_EQ(SearchCountingNodes(variant, position.board, list, position.sideToMove, false, 1, bound, nodes),
        expected)
        << "variant " << static_cast<int>(variant) << " limit " << limit << " bound " << bound;
    ASSERT_EQ(nodes, plainNodes);
    ASSERT_EQ(Search(variant, position.board, list, position.sideToMove, false, 1, bound), expected);
}

TEST(FastSearch, EveryVariantMatchesThePlainSearchNodeForNode)
{
    std::mt19937 random(11);
    int compared = 0;
    for (const TRandomPosition& position : ManyRandomPositions(10)) {
        for (TSearchVariant variant : AllVariants) {
            for (int bound : BoundsFor(position.sideToMove, random)) {
                // Mostly shallow, now and then three plies: the plain search is slow.
                const int limit = random() % 8 == 0 ? 3 : 1 + static_cast<int>(random() % 2);
                ExpectSameSearch(variant, position, limit, bound);
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 10000);
}

TEST(FastSearch, DeepSearchesNearTheEndMatchThePlainSearch)
{
    // Deep enough to reach the end of the game, passes and finished games included.
    std::mt19937 random(12);
    for (const TRandomPosition& position : ManyRandomPositions(20)) {
        if (BuildEmptyList(position.board).count > 9) {
            continue;
        }
        for (TSearchVariant variant : AllVariants) {
            ExpectSameSearch(variant, position, 12, BoundsFor(position.sideToMove, random)[random() % 4]);
        }
    }
}

TEST(FastSearch, NamedVariantsAndPassedNodesMatchThePlainSearch)
{
    const TDepthLimit depthLimit(3);
    for (const TRandomPosition& position : ManyRandomPositions(3)) {
        const TSquareList list = BuildEmptyList(position.board);
        const int t = position.sideToMove;
        for (bool passed : { false, true }) {
            EXPECT_EQ(SearchDiscs(position.board, list, t, passed, 1, 50),
                plain::Search(TSearchVariant::Discs, position.board, list, t, passed, 1, 50, 3));
            EXPECT_EQ(SearchFewestDiscs(position.board, list, t, passed, 1, 50),
                plain::Search(TSearchVariant::FewestDiscs, position.board, list, t, passed, 1, 50, 3));
            EXPECT_EQ(SearchMobility(position.board, list, t, passed, 1, -7),
                plain::Search(TSearchVariant::Mobility, position.board, list, t, passed, 1, -7, 3));
            EXPECT_EQ(SearchMobilityEdges(position.board, list, t, passed, 1, 9),
                plain::Search(TSearchVariant::MobilityEdges, position.board, list, t, passed, 1, 9, 3));
            EXPECT_EQ(SearchWeighted(position.board, list, t, passed, 1, 0),
                plain::Search(TSearchVariant::Weighted, position.board, list, t, passed, 1, 0, 3));
            EXPECT_EQ(SearchGraded(position.board, list, t, passed, 1, -30000),
                plain::Search(TSearchVariant::Graded, position.board, list, t, passed, 1, -30000, 3));
        }
    }
}

TEST(FastSearch, ListsThatAreNotTheEmptySquaresStillGiveThePlainResults)
{
    // A shortened list, a list naming an occupied square, and a list with a square twice: searched on the
    // cell board, by the rules of Board.h for whatever the list holds.
    const TDepthLimit depthLimit(3);
    const TRandomPosition position = RandomGamePositions(4)[20];
    const TSquareList empties = BuildEmptyList(position.board);
    TSquareList shortened = empties;
    shortened.count = static_cast<std::int16_t>(empties.count - 3);
    TSquareList occupied = empties;
    occupied.squares[1] = { 4, 4 };
    TSquareList repeated = empties;
    repeated.squares[2] = repeated.squares[0];
    for (const TSquareList& list : { shortened, occupied, repeated }) {
        for (TSearchVariant variant : AllVariants) {
            std::uint64_t plainNodes = 0;
            std::uint64_t nodes = 0;
            const int t = position.sideToMove;
            EXPECT_EQ(SearchCountingNodes(variant, position.board, list, t, false, 1, 9999, nodes),
                plain::Search(variant, position.board, list, t, false, 1, 9999, 3, &plainNodes));
            EXPECT_EQ(nodes, plainNodes);
        }
    }
    // The same for the solvers, near the end of a game.
    const std::vector<TRandomPosition> game = RandomGamePositions(4);
    const TRandomPosition& late = game[game.size() - 9];
    TSquareList lateList = BuildEmptyList(late.board);
    lateList.squares[0] = { 4, 4 };
    for (bool winLoss : { false, true }) {
        plain::TCountingHost host;
        std::uint64_t nodes = 0;
        std::uint64_t plainNodes = 0;
        const int t = late.sideToMove;
        const int value = winLoss
            ? SolveWinLossCountingNodes(late.board, lateList, t, false, 9999, host, nodes)
            : SolveExactCountingNodes(late.board, lateList, t, false, 9999, host, nodes);
        EXPECT_EQ(value, plain::Solve(late.board, lateList, t, false, 9999, winLoss, host, &plainNodes));
        EXPECT_EQ(nodes, plainNodes);
    }
}

TEST(FastSearch, ListOrderSolversMatchThePlainSolversNodeForNode)
{
    std::mt19937 random(13);
    int compared = 0;
    for (const TRandomPosition& position : ManyRandomPositions(60)) {
        const TSquareList list = BuildEmptyList(position.board);
        if (list.count > 9) {
            continue;
        }
        const int side = position.sideToMove;
        for (bool winLoss : { false, true }) {
            for (int bound : BoundsFor(side, random)) {
                plain::TCountingHost plainHost;
                plain::TCountingHost host;
                std::uint64_t plainNodes = 0;
                std::uint64_t nodes = 0;
                const int expected
                    = plain::Solve(position.board, list, side, false, bound, winLoss, plainHost, &plainNodes);
                const int value = winLoss
                    ? SolveWinLossCountingNodes(position.board, list, side, false, bound, host, nodes)
                    : SolveExactCountingNodes(position.board, list, side, false, bound, host, nodes);
                ASSERT_EQ(value, expected) << "bound " << bound << " win-loss " << winLoss;
                ASSERT_EQ(nodes, plainNodes);
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 3000);
}

} // namespace
