#include "engine/Evaluation.h"
#include "reference/PlainSearch.h"
#include "support/RandomGames.h"
#include "support/TestBoards.h"

#include <gtest/gtest.h>

using namespace kalvoro::engine;
using namespace kalvoro::reference;

namespace {

void Put(TBoard& board, int colour, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        Cell(board, name[0] - 'a' + 1, name[1] - '0') = static_cast<std::int16_t>(colour);
    }
}

TEST(StableEdges, InitialPositionHasNone)
{
    const TBoard board = InitialBoard();
    EXPECT_EQ(StableEdgeCount(board, Black), 0);
    EXPECT_EQ(StableEdgeCount(board, White), 0);
    EXPECT_EQ(StableEdgeBalance(board), 0);
}

TEST(StableEdges, WalkStopsAtFirstSquareOfAnotherKind)
{
    TBoard board = EmptyBoard();
    Put(board, Black, { "a1", "a2", "a3", "b1" });
    Put(board, White, { "c1" });
    EXPECT_EQ(StableEdgeCount(board, Black), 3);
    EXPECT_EQ(StableEdgeCount(board, White), 0);
    EXPECT_EQ(StableEdgeBalance(board), 3);
}

TEST(StableEdges, FullEdgeCountsFromBothCorners)
{
    TBoard board = EmptyBoard();
    Put(board, Black, { "a1", "b1", "c1", "d1", "e1", "f1", "g1", "h1" });
    EXPECT_EQ(StableEdgeCount(board, Black), 14);
    EXPECT_EQ(StableEdgeBalance(board), 14);
}

TEST(StableEdges, NothingCountsWithoutACornerOfTheColour)
{
    TBoard board = EmptyBoard();
    Put(board, Black, { "b1", "a2", "g8", "h7" });
    EXPECT_EQ(StableEdgeCount(board, Black), 0);
    Put(board, White, { "h8" });
    EXPECT_EQ(StableEdgeCount(board, Black), 0);
    EXPECT_EQ(StableEdgeCount(board, White), 0);
}

TEST(StableEdges, EveryCornerWalksBothItsEdges)
{
    TBoard board = EmptyBoard();
    Put(board, White, { "a8", "a7", "a6", "b8", "h8", "g8", "h7", "h6", "h5" });
    Put(board, Black, { "h1", "g1", "h2" });
    EXPECT_EQ(StableEdgeCount(board, White), 2 + 1 + 3 + 1);
    EXPECT_EQ(StableEdgeCount(board, Black), 2);
    EXPECT_EQ(StableEdgeBalance(board), 2 - 7);
}

TEST(StableEdges, AgreesWithPlainWalksOnRandomPositions)
{
    for (const TRandomPosition& position : ManyRandomPositions(40)) {
        for (int colour : { Black, White }) {
            ASSERT_EQ(StableEdgeCount(position.board, colour), plain::StableEdges(position.board, colour));
        }
    }
}

TEST(SquareWeights, CornersXSquaresAndCSquares)
{
    for (int x : { 1, 8 }) {
        for (int y : { 1, 8 }) {
            EXPECT_EQ(SquareWeight(x, y), 100);
        }
    }
    for (int x : { 2, 7 }) {
        for (int y : { 2, 7 }) {
            EXPECT_EQ(SquareWeight(x, y), -50);
        }
    }
    for (auto [x, y] :
        { std::pair { 1, 2 }, { 2, 1 }, { 7, 1 }, { 8, 2 }, { 1, 7 }, { 2, 8 }, { 8, 7 }, { 7, 8 } }) {
        EXPECT_EQ(SquareWeight(x, y), -13);
    }
    EXPECT_EQ(SquareWeight(3, 1), 5);
    EXPECT_EQ(SquareWeight(3, 2), -2);
    EXPECT_EQ(SquareWeight(4, 4), 0);
}

TEST(SquareWeights, SymmetricUnderReflectionsAndRotation)
{
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            EXPECT_EQ(SquareWeight(x, y), SquareWeight(9 - x, y));
            EXPECT_EQ(SquareWeight(x, y), SquareWeight(x, 9 - y));
            EXPECT_EQ(SquareWeight(x, y), SquareWeight(y, x));
            EXPECT_EQ(SquareWeight(x, y), plain::Weight(x, y));
        }
    }
}

TEST(GradedTerms, NodeTermIsFourMobilityPlusTwentyEdges)
{
    bool checked = false;
    for (const TRandomPosition& position : ManyRandomPositions(60)) {
        const TSquareList list = BuildEmptyList(position.board);
        if (plain::Mobility(position.board, list) == 3 && plain::EdgeBalance(position.board) == 2) {
            EXPECT_EQ(TGradedTerms::NodeTerm(TCellPosition { position.board, list }), 52);
            EXPECT_EQ(
                TGradedTerms::Leaf(TCellPosition { position.board, list }, position.sideToMove, 52), 52);
            checked = true;
        }
    }
    EXPECT_TRUE(checked);
}

TEST(VariantTerms, PassCostsThePasserAHundredInWeightedAndGraded)
{
    EXPECT_EQ(TWeightedTerms::Pass(7, 0, Black), -93);
    EXPECT_EQ(TWeightedTerms::Pass(7, 0, White), 107);
    EXPECT_EQ(TGradedTerms::Pass(7, 52, Black), 7 + 52 - 100);
    EXPECT_EQ(TGradedTerms::Pass(7, 52, White), 7 + 52 + 100);
    EXPECT_EQ(TMobilityTerms::Pass(7, 3, White), 10);
    EXPECT_EQ(TDiscTerms::Pass(7, 0, White), 7);
}

TEST(VariantTerms, MoveTermsCarryTheMoversSign)
{
    EXPECT_EQ(TWeightedTerms::MoveTerm(1, 1, Black), 100);
    EXPECT_EQ(TWeightedTerms::MoveTerm(2, 2, White), 50);
    EXPECT_EQ(TGradedTerms::MoveTerm(2, 1, Black), -13);
    EXPECT_EQ(TMobilityTerms::MoveTerm(1, 1, Black), 0);
}

TEST(VariantTerms, FinishedGames)
{
    // Black a1..h1 (a full edge), White a8 and b8: Black wins 8 to 2, nobody can move.
    TBoard board = EmptyBoard();
    Put(board, Black, { "a1", "b1", "c1", "d1", "e1", "f1", "g1", "h1" });
    Put(board, White, { "a8", "b8" });
    const TSquareList list = BuildEmptyList(board);
    EXPECT_EQ(TDiscTerms::End(TCellPosition { board, list }, Black), 6);
    EXPECT_EQ(TFewestDiscTerms::End(TCellPosition { board, list }, White), 6);
    EXPECT_EQ(TMobilityTerms::End(TCellPosition { board, list }, Black), 10000);
    EXPECT_EQ(TWeightedTerms::End(TCellPosition { board, list }, White), 10000);
    EXPECT_EQ(TGradedTerms::End(TCellPosition { board, list }, White), 20000);
    EXPECT_EQ(TMobilityEdgeTerms::End(TCellPosition { board, list }, Black), 5 * 14);
    EXPECT_EQ(TMobilityEdgeTerms::End(TCellPosition { board, list }, White), -10 * 1);

    Put(board, White, { "c8", "d8", "e8", "f8", "g8", "h8" });
    EXPECT_EQ(TMobilityTerms::End(TCellPosition { board, list }, Black), 0);
    Put(board, White, { "h7" });
    EXPECT_EQ(TMobilityTerms::End(TCellPosition { board, list }, Black), -10000);
    EXPECT_EQ(TGradedTerms::End(TCellPosition { board, list }, Black), -20000);
}

TEST(VariantTerms, StartValuesAndAims)
{
    EXPECT_EQ(TDiscTerms::Start(Black), -9999);
    EXPECT_EQ(TDiscTerms::Start(White), 9999);
    EXPECT_EQ(TFewestDiscTerms::Start(Black), 9999);
    EXPECT_EQ(TFewestDiscTerms::Start(White), -9999);
    EXPECT_FALSE(TFewestDiscTerms::Maximises(Black));
    EXPECT_TRUE(TFewestDiscTerms::Maximises(White));
    EXPECT_EQ(TMobilityTerms::Start(Black), -9999);
    EXPECT_EQ(TWeightedTerms::Start(White), 9999);
    EXPECT_EQ(TGradedTerms::Start(Black), -29999);
    EXPECT_EQ(TGradedTerms::Start(White), 29999);
}

TEST(VariantTerms, MobilityEdgesLeafCountsTheSideToMove)
{
    // Initial position: four moves for either side, no edges.
    const TBoard board = InitialBoard();
    const TSquareList list = BuildEmptyList(board);
    EXPECT_EQ(TMobilityEdgeTerms::Leaf(TCellPosition { board, list }, Black, 0), 4);
    EXPECT_EQ(TMobilityEdgeTerms::Leaf(TCellPosition { board, list }, White, 0), -4);
    EXPECT_EQ(TMobilityTerms::NodeTerm(TCellPosition { board, list }), 0);
}

} // namespace
