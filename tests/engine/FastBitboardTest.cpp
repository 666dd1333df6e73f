// The bitboard operations against the cell-board rules, square for square.
#include "engine/Bitboard.h"
#include "engine/Evaluation.h"
#include "support/RandomGames.h"

#include <gtest/gtest.h>

#include <random>

using namespace kalvoro::engine;

namespace {

// A board with every playing square drawn at random from empty, Black and White: positions no game reaches,
// with full and broken edges of both colours.
TBoard RandomCells(std::mt19937& random)
{
    TBoard board = InitialBoard();
    std::uniform_int_distribution<int> cell(-1, 1);
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            Cell(board, x, y) = static_cast<std::int16_t>(cell(random));
        }
    }
    return board;
}

std::vector<TBoard> TestBoards()
{
    std::vector<TBoard> boards;
    for (const TRandomPosition& position : ManyRandomPositions(40)) {
        boards.push_back(position.board);
    }
    std::mt19937 random(5);
    for (int k = 0; k < 2000; ++k) {
        boards.push_back(RandomCells(random));
    }
    return boards;
}

// Every move and every turned disc of both colours agrees with MakeMove, whether the build finds them with
// vector instructions or without.
void ExpectSameMoves(const TBoard& board, int colour)
{
    const TBitBoard bits = ToBitBoard(board);
    const TBits moves = MoveMask(OwnDiscs(bits, colour), OwnDiscs(bits, -colour));
    ASSERT_EQ(bitboard_detail::MoveMaskAlongShifts(OwnDiscs(bits, colour), OwnDiscs(bits, -colour)), moves);
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            const int index = BitIndex(x, y);
            const bool legal = IsLegalMoveOn(board, x, y, colour);
            ASSERT_EQ((moves & SquareBit(index)) != 0, legal) << SquareName(x, y) << " colour " << colour;
            if (Cell(board, x, y) != EmptyCell) {
                continue;
            }
            const TBits flips = FlipMask(OwnDiscs(bits, colour), OwnDiscs(bits, -colour), index);
            ASSERT_EQ(flips != 0, legal) << SquareName(x, y);
            ASSERT_EQ(
                bitboard_detail::FlipMaskAlongRays(OwnDiscs(bits, colour), OwnDiscs(bits, -colour), index),
                flips)
                << SquareName(x, y);
            TBoard after;
            if (MakeMove(board, after, x, y, colour)) {
                ASSERT_EQ(PlayMove(bits, colour, index, flips), ToBitBoard(after)) << SquareName(x, y);
            }
        }
    }
}

TEST(FastBitboard, ConvertsBothWaysWithoutLoss)
{
    for (const TBoard& board : TestBoards()) {
        const TBitBoard bits = ToBitBoard(board);
        ASSERT_EQ(bits.black & bits.white, 0U);
        ASSERT_EQ(ToTBoard(bits), board);
        ASSERT_EQ(DiscDifference(bits), DiscDifference(board));
        ASSERT_EQ(PopCount(bits.black), CountDiscs(board, Black));
    }
}

TEST(FastBitboard, MoveMasksAndFlipsFollowTheRules)
{
    for (const TBoard& board : TestBoards()) {
        ExpectSameMoves(board, Black);
        ExpectSameMoves(board, White);
    }
}

TEST(FastBitboard, MobilityIsTheMoveMaskCount)
{
    for (const TBoard& board : TestBoards()) {
        const TSquareList empties = BuildEmptyList(board);
        const TBitBoard bits = ToBitBoard(board);
        ASSERT_EQ(CountMoves(bits, Black), CountMobility(board, empties, Black));
        ASSERT_EQ(CountMoves(bits, White), CountMobility(board, empties, White));
    }
}

TEST(FastBitboard, StableEdgesMatchTheEdgeWalks)
{
    for (const TBoard& board : TestBoards()) {
        const TBitBoard bits = ToBitBoard(board);
        ASSERT_EQ(StableEdgeCount(bits.black), StableEdgeCount(board, Black));
        ASSERT_EQ(StableEdgeCount(bits.white), StableEdgeCount(board, White));
    }
    // A whole edge ring of one colour: every edge walked from both corners through the far one.
    TBoard ring = InitialBoard();
    for (int k = 1; k <= 8; ++k) {
        Cell(ring, k, 1) = Cell(ring, k, 8) = Cell(ring, 1, k) = Cell(ring, 8, k) = Black;
    }
    EXPECT_EQ(StableEdgeCount(ToBitBoard(ring).black), 4 * 14);
}

TEST(FastBitboard, MovesDoNotWrapRoundTheEdges)
{
    // White on h1 and h2, Black on a2 and a3 lie next to each other in bit order only.
    TBoard board = InitialBoard();
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            Cell(board, x, y) = EmptyCell;
        }
    }
    Cell(board, 8, 1) = White;
    Cell(board, 1, 2) = Black;
    Cell(board, 7, 8) = White;
    Cell(board, 1, 8) = Black;
    const TBitBoard bits = ToBitBoard(board);
    EXPECT_EQ(MoveMask(bits.black, bits.white), 0U);
    EXPECT_EQ(MoveMask(bits.white, bits.black), 0U);
}

// With one empty square left, the count from the four lines equals the discs the move really turns, on every
// square, for both colours, with full and broken lines of either colour.
TEST(FastBitboard, LastSquareCountsEqualTheTurnedDiscs)
{
    std::mt19937 random(6);
    int compared = 0;
    for (int round = 0; round < 300; ++round) {
        TBoard board = RandomCells(random);
        for (int y = 1; y <= 8; ++y) {
            for (int x = 1; x <= 8; ++x) {
                Cell(board, x, y) = Cell(board, x, y) == EmptyCell ? Black : Cell(board, x, y);
            }
        }
        const int square = static_cast<int>(random() % 64);
        Cell(board, BitX(square), BitY(square)) = EmptyCell;
        const TBitBoard bits = ToBitBoard(board);
        for (int colour : { Black, White }) {
            const TBits own = OwnDiscs(bits, colour);
            ASSERT_EQ(LastSquareFlips(own, square), PopCount(FlipMask(own, OwnDiscs(bits, -colour), square)))
                << SquareName(BitX(square), BitY(square)) << " colour " << colour;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 600);
}

} // namespace
