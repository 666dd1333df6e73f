#include "engine/Search.h"
#include "engine/Evaluation.h"
#include "reference/PlainSearch.h"
#include "support/RandomGames.h"
#include "support/TestBoards.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::reference;

namespace {

constexpr TSearchVariant AllVariants[]
    = { TSearchVariant::Discs, TSearchVariant::FewestDiscs, TSearchVariant::Mobility,
          TSearchVariant::MobilityEdges, TSearchVariant::Weighted, TSearchVariant::Graded };

// Sets NodeDepthLimit for one test and puts the previous value back.
class TDepthLimit {
public:
    explicit TDepthLimit(int limit)
        : saved(NodeDepthLimit)
    {
        NodeDepthLimit = limit;
    }
    ~TDepthLimit() { NodeDepthLimit = saved; }

private:
    int saved;
};

void Put(TBoard& board, int colour, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        Cell(board, name[0] - 'a' + 1, name[1] - '0') = static_cast<std::int16_t>(colour);
    }
}

int NamedSearch(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour, bool passed,
    int depth, int bound)
{
    switch (variant) {
    case TSearchVariant::Discs:
        return SearchDiscs(board, list, colour, passed, depth, bound);
    case TSearchVariant::FewestDiscs:
        return SearchFewestDiscs(board, list, colour, passed, depth, bound);
    case TSearchVariant::Mobility:
        return SearchMobility(board, list, colour, passed, depth, bound);
    case TSearchVariant::MobilityEdges:
        return SearchMobilityEdges(board, list, colour, passed, depth, bound);
    case TSearchVariant::Weighted:
        return SearchWeighted(board, list, colour, passed, depth, bound);
    case TSearchVariant::Graded:
        return SearchGraded(board, list, colour, passed, depth, bound);
    }
    return 0;
}

// The computer player's mid-game root loop over the engine's search: "square value" per legal root move, then
// the chosen square.
std::vector<std::string> EngineRootValues(
    TSearchVariant variant, const TBoard& board, int side, int nodeDepth)
{
    const TDepthLimit limit(nodeDepth);
    std::vector<std::string> lines;
    const TSquareList list = BuildEmptyList(board);
    int best = -32768;
    std::string chosen;
    for (int k = 0; k < list.count; ++k) {
        const TSquare square = list.squares[k];
        TBoard child;
        if (!MakeMove(board, child, square.x, square.y, side)) {
            continue;
        }
        const int r = Search(variant, child, ChildList(list, k), -side, false, 1, best * side);
        const int v = plain::RootValue(variant, side, r, square.x, square.y);
        lines.push_back(SquareName(square.x, square.y) + " " + std::to_string(v));
        if (chosen.empty() || v > best) {
            best = v;
            chosen = SquareName(square.x, square.y);
        }
    }
    lines.push_back("plays " + chosen);
    return lines;
}

// The same lines from the plain root loop.
std::vector<std::string> PlainRootValues(TSearchVariant variant, const TBoard& board, int side, int nodeDepth)
{
    std::vector<std::string> lines;
    std::string chosen;
    int best = 0;
    for (const plain::TRootMove& move : plain::MidgameRootValues(variant, board, side, nodeDepth)) {
        lines.push_back(SquareName(move.x, move.y) + " " + std::to_string(move.value));
        if (chosen.empty() || move.value > best) {
            best = move.value;
            chosen = SquareName(move.x, move.y);
        }
    }
    lines.push_back("plays " + chosen);
    return lines;
}

struct TPinnedLevel {
    TSearchVariant variant;
    int nodeDepth;
    std::vector<std::string> initial;
    std::vector<std::string> afterF5;
};

TEST(MidgameSearch, RootValuesOfTheFirstFiveLevels)
{
    const std::vector<TPinnedLevel> levels {
        { TSearchVariant::Discs, 6, { "d3 -4", "c4 -4", "f5 -4", "e6 -4", "plays d3" },
            { "f4 -10", "d6 -10", "f6 -10", "plays f4" } },
        { TSearchVariant::FewestDiscs, 6, { "d3 2", "c4 0", "f5 0", "e6 0", "plays d3" },
            { "f4 3", "d6 3", "f6 1", "plays f4" } },
        { TSearchVariant::Mobility, 6, { "d3 3", "c4 3", "f5 4", "e6 4", "plays f5" },
            { "f4 -13", "d6 -5", "f6 -20", "plays d6" } },
        { TSearchVariant::MobilityEdges, 6, { "d3 6", "c4 6", "f5 6", "e6 6", "plays d3" },
            { "f4 6", "d6 6", "f6 5", "plays f4" } },
        { TSearchVariant::Weighted, 5, { "d3 3", "c4 3", "f5 3", "e6 3", "plays d3" },
            { "f4 0", "d6 0", "f6 1", "plays f6" } },
    };
    const TBoard initial = InitialBoard();
    TBoard afterF5;
    ASSERT_TRUE(MakeMove(initial, afterF5, 6, 5, Black));
    for (const TPinnedLevel& level : levels) {
        SCOPED_TRACE(static_cast<int>(level.variant));
        EXPECT_EQ(EngineRootValues(level.variant, initial, Black, level.nodeDepth), level.initial);
        EXPECT_EQ(EngineRootValues(level.variant, afterF5, White, level.nodeDepth), level.afterF5);
        EXPECT_EQ(PlainRootValues(level.variant, initial, Black, level.nodeDepth), level.initial);
        EXPECT_EQ(PlainRootValues(level.variant, afterF5, White, level.nodeDepth), level.afterF5);
    }
}

TEST(MidgameSearch, DepthLimitOneScoresEachRootMoveByItsLeafValue)
{
    const TDepthLimit limit(1);
    for (const TRandomPosition& position : RandomGamePositions(7)) {
        const TSquareList list = BuildEmptyList(position.board);
        for (int k = 0; k < list.count; ++k) {
            TBoard child;
            const int side = position.sideToMove;
            if (!MakeMove(position.board, child, list.squares[k].x, list.squares[k].y, side)) {
                continue;
            }
            const TSquareList childList = ChildList(list, k);
            for (TSearchVariant variant : AllVariants) {
                ASSERT_EQ(Search(variant, child, childList, -side, false, 1, 0),
                    plain::Leaf(variant, child, childList, -side));
            }
        }
    }
}

TEST(MidgameSearch, PassUsesUpOnePly)
{
    // White cannot move; Black can take c1. Black holds one stable edge disc (g8).
    TBoard board = EmptyBoard();
    Put(board, Black, { "a1", "h8", "g8" });
    Put(board, White, { "b1" });
    const TSquareList list = BuildEmptyList(board);
    {
        // The pass child at depth 2 is a leaf with Black to move.
        const TDepthLimit limit(2);
        EXPECT_EQ(SearchDiscs(board, list, White, false, 1, -9999), 2);
        EXPECT_EQ(SearchMobility(board, list, White, false, 1, -9999), 1 + 1);
        EXPECT_EQ(SearchMobilityEdges(board, list, White, false, 1, -9999), 1 + 16);
        EXPECT_EQ(SearchWeighted(board, list, White, false, 1, -9999), 1 + 100);
        EXPECT_EQ(SearchGraded(board, list, White, false, 1, -9999), 24 + 24 + 100);
    }
    {
        // Black plays c1 at depth 2 and the leaf is at depth 3.
        const TDepthLimit limit(3);
        EXPECT_EQ(SearchDiscs(board, list, White, false, 1, -9999), 5);
        EXPECT_EQ(SearchFewestDiscs(board, list, White, false, 1, -9999), 5);
        EXPECT_EQ(SearchWeighted(board, list, White, false, 1, -9999), 0 + 5 + 100);
    }
}

TEST(MidgameSearch, GameOverScoresTheEndValueUnlessAtTheLimit)
{
    // Nobody can move; Black leads 3 to 1 and holds a1 with two stable edge discs.
    TBoard board = EmptyBoard();
    Put(board, Black, { "a1", "b1", "c1" });
    Put(board, White, { "h8" });
    const TSquareList list = BuildEmptyList(board);
    {
        const TDepthLimit limit(3);
        EXPECT_EQ(SearchDiscs(board, list, White, true, 1, 0), 2);
        EXPECT_EQ(SearchFewestDiscs(board, list, White, true, 1, 0), 2);
        EXPECT_EQ(SearchMobility(board, list, White, true, 1, 0), 10000);
        EXPECT_EQ(SearchWeighted(board, list, Black, true, 1, 0), 10000);
        EXPECT_EQ(SearchGraded(board, list, Black, true, 1, 0), 20000);
        EXPECT_EQ(SearchMobilityEdges(board, list, Black, true, 1, 0), 5 * 2);
        EXPECT_EQ(SearchMobilityEdges(board, list, White, true, 1, 0), 0);
        // Without the pass flag the node passes first; the other side finds the game over.
        EXPECT_EQ(SearchMobilityEdges(board, list, White, false, 1, 0), 5 * 2);
        EXPECT_EQ(SearchWeighted(board, list, White, false, 1, 0), 10000 + 100);
        EXPECT_EQ(SearchGraded(board, list, Black, false, 1, 0), 20000 + 20 * 2 - 100);
    }
    {
        // At the limit the leaf value counts, even with the game over.
        const TDepthLimit limit(1);
        EXPECT_EQ(SearchMobility(board, list, White, true, 1, 0), 0);
        EXPECT_EQ(SearchWeighted(board, list, White, true, 1, 0), 0);
        EXPECT_EQ(SearchGraded(board, list, White, true, 1, 0), 20 * 2);
        EXPECT_EQ(SearchMobilityEdges(board, list, White, true, 1, 0), 16 * 2);
    }
}

TEST(MidgameSearch, FirstChildReachingTheBoundEndsTheNode)
{
    const TDepthLimit limit(2);
    const TBoard board = InitialBoard();
    const TSquareList list = BuildEmptyList(board);
    std::uint64_t nodes = 0;
    // Every Black move gains three discs: the first one reaches a bound of 3 (equality cuts).
    EXPECT_EQ(SearchCountingNodes(TSearchVariant::Discs, board, list, Black, false, 1, 3, nodes), 3);
    EXPECT_EQ(nodes, 2u);
    nodes = 0;
    EXPECT_EQ(SearchCountingNodes(TSearchVariant::Discs, board, list, Black, false, 1, 4, nodes), 3);
    EXPECT_EQ(nodes, 5u);
    // In the fewest-discs search Black minimises, so its cut is at or below the bound.
    nodes = 0;
    EXPECT_EQ(SearchCountingNodes(TSearchVariant::FewestDiscs, board, list, Black, false, 1, 3, nodes), 3);
    EXPECT_EQ(nodes, 2u);
    nodes = 0;
    EXPECT_EQ(SearchCountingNodes(TSearchVariant::FewestDiscs, board, list, Black, false, 1, 2, nodes), 3);
    EXPECT_EQ(nodes, 5u);
}

TEST(MidgameSearch, MoveWorseThanTheStartValueNeverReplacesIt)
{
    // White's only move, a1, ends the game with Black ahead by one disc.
    TBoard board = EmptyBoard();
    Put(board, Black, { "b1", "h8", "h7", "h6", "g8" });
    Put(board, White, { "c1" });
    const TSquareList list = BuildEmptyList(board);
    const TDepthLimit limit(4);
    // The move is worth +10000 (Black passes at no cost, then the game is over), above White's start of 9999.
    EXPECT_EQ(SearchMobility(board, list, White, false, 1, -9999), 9999);
    // The weight of the corner (-100 for White) and Black's pass (-100) bring it below the start value.
    EXPECT_EQ(SearchWeighted(board, list, White, false, 1, -9999), 10000 - 100 - 100);
    EXPECT_EQ(SearchDiscs(board, list, White, false, 1, -9999), 1);
}

// Engine against the plain search from depth 1 (a root move's child) with one to four plies to the leaves:
// value, node count, named entry point and dispatch agree.
TEST(MidgameSearch, AgreesWithThePlainSearchOnRandomPositions)
{
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> smallBound(-60, 60);
    int compared = 0;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const auto positions = RandomGamePositions(seed);
        for (std::size_t i = 0; i < positions.size(); i += 5) {
            const TRandomPosition& position = positions[i];
            const TSquareList list = BuildEmptyList(position.board);
            const int side = position.sideToMove;
            for (TSearchVariant variant : AllVariants) {
                for (int nodeDepth = 2; nodeDepth <= 5; ++nodeDepth) {
                    for (int bound : { -32768 * side, 32768 * side, smallBound(random) }) {
                        const TDepthLimit limit(nodeDepth);
                        std::uint64_t plainNodes = 0;
                        std::uint64_t nodes = 0;
                        const int expected = plain::Search(
                            variant, position.board, list, side, false, 1, bound, nodeDepth, &plainNodes);
                        ASSERT_EQ(
                            SearchCountingNodes(variant, position.board, list, side, false, 1, bound, nodes),
                            expected)
                            << "seed " << seed << " position " << i << " variant "
                            << static_cast<int>(variant) << " node depth " << nodeDepth << " bound " << bound;
                        ASSERT_EQ(nodes, plainNodes);
                        ASSERT_EQ(
                            NamedSearch(variant, position.board, list, side, false, 1, bound), expected);
                        ++compared;
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 1000);
}

} // namespace
