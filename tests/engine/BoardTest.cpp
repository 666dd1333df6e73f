#include "engine/Board.h"
#include "support/RandomGames.h"
#include "support/ReferenceRules.h"
#include "support/TestBoards.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace kalvoro::engine;

namespace {

std::vector<std::string> Names(const TSquareList& list)
{
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(list.count));
    for (int k = 0; k < list.count; ++k) {
        names.push_back(SquareName(list.squares[k].x, list.squares[k].y));
    }
    return names;
}

TSquareList ListOf(std::initializer_list<TSquare> squares)
{
    TSquareList list;
    for (const TSquare& square : squares) {
        list.squares[list.count++] = square;
    }
    return list;
}

std::uint64_t Perft(const TBoard& board, int side, int depth, bool passed = false)
{
    if (depth == 0) {
        return 1;
    }
    const TSquareList empties = BuildEmptyList(board);
    std::uint64_t nodes = 0;
    bool moved = false;
    for (int k = 0; k < empties.count; ++k) {
        TBoard child;
        if (MakeMove(board, child, empties.squares[k].x, empties.squares[k].y, side)) {
            moved = true;
            nodes += Perft(child, -side, depth - 1);
        }
    }
    if (moved) {
        return nodes;
    }
    return passed ? 1 : Perft(board, -side, depth - 1, true);
}

} // namespace

TEST(InitialBoard, HasTheFourCentreDiscsAndABorderRing)
{
    const TBoard board = InitialBoard();
    EXPECT_EQ(board[44], White);
    EXPECT_EQ(board[45], Black);
    EXPECT_EQ(board[54], Black);
    EXPECT_EQ(board[55], White);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(board[i], BorderCell);
        EXPECT_EQ(board[90 + i], BorderCell);
        EXPECT_EQ(board[i * 10], BorderCell);
        EXPECT_EQ(board[i * 10 + 9], BorderCell);
    }
    EXPECT_EQ(DiscDifference(board), 0);
}

TEST(SquareName, NamesColumnThenRow)
{
    EXPECT_EQ(SquareName(1, 1), "a1");
    EXPECT_EQ(SquareName(6, 5), "f5");
    EXPECT_EQ(SquareName(8, 8), "h8");
    EXPECT_EQ(MoveCode(5, 6), 56);
    EXPECT_EQ(MoveCodeName(43), "d3");
    EXPECT_EQ(SquareOfMoveCode(65), (TSquare { 6, 5 }));
}

TEST(BuildEmptyList, ScansRowByRowAndSkipsDiscs)
{
    const TSquareList list = BuildEmptyList(InitialBoard());
    ASSERT_EQ(list.count, 60);
    const auto names = Names(list);
    EXPECT_EQ(names[0], "a1");
    EXPECT_EQ(names[1], "b1");
    EXPECT_EQ(names[2], "c1");
    EXPECT_EQ(names[8], "a2");
    EXPECT_EQ(names[26], "c4"); // d4 and e4 are skipped
    EXPECT_EQ(names[27], "f4");
    EXPECT_EQ(names[59], "h8");
    EXPECT_EQ(CountMobility(InitialBoard(), list, Black), 4);
    EXPECT_EQ(CountMobility(InitialBoard(), list, White), 4);
}

TEST(BuildEmptyList, HoldsAnEditedBoardWithoutDiscs)
{
    const TSquareList list = BuildEmptyList(EmptyBoard());
    ASSERT_EQ(list.count, 64);
    EXPECT_EQ(Names(list).back(), "h8");
    EXPECT_EQ(CountMobility(EmptyBoard(), list, Black), 0);
}

TEST(ChildList, MovesTheLastEntryIntoTheGap)
{
    const TSquare a { 1, 1 }, b { 2, 1 }, c { 3, 1 }, d { 4, 1 };
    const TSquareList list = ListOf({ a, b, c, d });
    EXPECT_EQ(Names(ChildList(list, 1)), (std::vector<std::string> { "a1", "d1", "c1" }));
    EXPECT_EQ(Names(ChildList(list, 3)), (std::vector<std::string> { "a1", "b1", "c1" }));
    EXPECT_EQ(ChildList(ListOf({ a }), 0).count, 0);
}

TEST(MakeMove, TurnsEveryBracketedLineUpToTheBracketingDisc)
{
    TBoard board = EmptyBoard();
    // Black plays d4: west run c4 b4 bracketed by a4, south run d5 bracketed by d6,
    // east run e4 f4 ending at an empty g4, north-east run e3 ending at the border... via f2 g1 empty.
    Cell(board, 1, 4) = Black;
    Cell(board, 2, 4) = White;
    Cell(board, 3, 4) = White;
    Cell(board, 4, 5) = White;
    Cell(board, 4, 6) = Black;
    Cell(board, 4, 7) = White;
    Cell(board, 4, 8) = Black; // beyond the bracketing d6: must stay
    Cell(board, 5, 4) = White;
    Cell(board, 6, 4) = White;
    Cell(board, 5, 3) = White;
    TBoard after;
    ASSERT_TRUE(MakeMove(board, after, 4, 4, Black));
    EXPECT_EQ(Cell(after, 4, 4), Black);
    EXPECT_EQ(Cell(after, 2, 4), Black);
    EXPECT_EQ(Cell(after, 3, 4), Black);
    EXPECT_EQ(Cell(after, 4, 5), Black);
    EXPECT_EQ(Cell(after, 4, 7), White);
    EXPECT_EQ(Cell(after, 5, 4), White);
    EXPECT_EQ(Cell(after, 6, 4), White);
    EXPECT_EQ(Cell(after, 5, 3), White);
    EXPECT_EQ(DiscDifference(after), DiscDifference(board) + 1 + 2 * 3);
    EXPECT_EQ(Cell(board, 4, 4), EmptyCell) << "the source board is never changed";
}

TEST(MakeMove, LeavesTheTargetAloneWhenNothingIsBracketed)
{
    TBoard board = EmptyBoard();
    Cell(board, 1, 1) = White; // a run to the border
    Cell(board, 2, 1) = White;
    Cell(board, 4, 1) = White; // a run to an empty square
    Cell(board, 5, 1) = White;
    TBoard target = InitialBoard();
    const TBoard before = target;
    EXPECT_FALSE(MakeMove(board, target, 3, 1, Black));
    EXPECT_EQ(target, before);
    EXPECT_FALSE(CanFlip(board, 3, 1, Black));
}

TEST(CanFlip, LooksPastTheSquareItselfWhileIsLegalMoveDoesNot)
{
    TBoard board = InitialBoard();
    Cell(board, 4, 3) = White; // occupied d3 would still bracket d4 for Black
    EXPECT_TRUE(CanFlip(board, 4, 3, Black));
    EXPECT_FALSE(IsLegalMoveOn(board, 4, 3, Black));
    EXPECT_TRUE(IsLegalMoveOn(InitialBoard(), 4, 3, Black));
    EXPECT_FALSE(IsLegalMoveOn(InitialBoard(), 1, 1, Black));
}

TEST(CountFlips, FillsEveryDirectionOrKeepsTheOldCounts)
{
    TFlipCounts counts;
    counts.fill(7);
    EXPECT_FALSE(CountFlipsOn(InitialBoard(), 4, 4, Black, counts)) << "d4 is occupied";
    EXPECT_EQ(counts, (TFlipCounts { 7, 7, 7, 7, 7, 7, 7, 7 }));
    EXPECT_FALSE(CountFlipsOn(InitialBoard(), 1, 1, Black, counts));
    EXPECT_EQ(counts, (TFlipCounts {}));
    EXPECT_TRUE(CountFlipsOn(InitialBoard(), 4, 3, Black, counts));
    EXPECT_EQ(counts, (TFlipCounts { 0, 0, 0, 0, 0, 0, 1, 0 })) << "d3 turns d4, to the south";
}

TEST(DiscDifference, CountsBlackMinusWhite)
{
    TBoard board = EmptyBoard();
    int placed = 0;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            Cell(board, x, y) = static_cast<std::int16_t>(placed++ < 40 ? Black : White);
        }
    }
    EXPECT_EQ(DiscDifference(board), 16);
    EXPECT_EQ(CountDiscs(board, Black), 40);
    EXPECT_EQ(CountDiscs(board, White), 24);
}

TEST(Rules, AgreeWithAPlainReferenceOnRandomGames)
{
    for (const TRandomPosition& position : ManyRandomPositions(150)) {
        const auto grid = reference::ToGrid(position.board);
        const TSquareList empties = BuildEmptyList(position.board);
        for (int colour : { Black, White }) {
            ASSERT_EQ(CountMobility(position.board, empties, colour), reference::CountMoves(grid, colour));
            for (int y = 1; y <= 8; ++y) {
                for (int x = 1; x <= 8; ++x) {
                    const bool legal = reference::IsLegal(grid, x - 1, y - 1, colour);
                    ASSERT_EQ(IsLegalMoveOn(position.board, x, y, colour), legal);
                    TFlipCounts counts {};
                    const bool flips = CountFlipsOn(position.board, x, y, colour, counts);
                    ASSERT_EQ(flips, legal);
                    if (!legal) {
                        continue;
                    }
                    int total = 0;
                    for (auto count : counts) {
                        total += count;
                    }
                    ASSERT_EQ(total, static_cast<int>(reference::Flips(grid, x - 1, y - 1, colour).size()));
                    TBoard child;
                    ASSERT_TRUE(MakeMove(position.board, child, x, y, colour));
                    ASSERT_EQ(reference::ToGrid(child), reference::Play(grid, x - 1, y - 1, colour));
                }
            }
        }
    }
}

TEST(Rules, PerftFromTheInitialPosition)
{
    // Leaf counts of the full move tree, passes counted as moves: the well-known Othello perft figures.
    const std::uint64_t expected[] = { 1, 4, 12, 56, 244, 1396, 8200, 55092 };
    for (int depth = 0; depth <= 7; ++depth) {
        EXPECT_EQ(Perft(InitialBoard(), Black, depth), expected[depth]) << "depth " << depth;
    }
}
