#include "engine/Book.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace kalvoro::engine;

namespace {

std::vector<std::uint16_t> Moves(const std::string& names)
{
    std::vector<std::uint16_t> codes;
    std::istringstream words(names);
    std::string name;
    while (words >> name) {
        codes.push_back(static_cast<std::uint16_t>(MoveCode(name[0] - 'a' + 1, name[1] - '0')));
    }
    return codes;
}

std::string LineText(const TBookLine& line)
{
    std::string text;
    for (int i = 0; i < line.length; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += MoveCodeName(line.moves[i]);
    }
    return text;
}

std::string NameOf(const std::optional<TSquare>& square)
{
    return square ? SquareName(square->x, square->y) : "none";
}

// Plays the line from the initial position; the side to move alternates and must never have to pass.
void ExpectLegalWithoutPasses(const TBookLine& line)
{
    TBoard board = InitialBoard();
    int side = Black;
    for (int i = 0; i < line.length; ++i) {
        const TSquare square = SquareOfMoveCode(line.moves[i]);
        TBoard next;
        ASSERT_EQ(Cell(board, square.x, square.y), EmptyCell) << LineText(line) << " move " << i + 1;
        ASSERT_TRUE(MakeMove(board, next, square.x, square.y, side)) << LineText(line) << " move " << i + 1;
        board = next;
        side = -side;
    }
}

} // namespace

TEST(BookRange, HoldsEveryLineInFourFormsOfTheRightParityAndLength)
{
    struct TExpectation {
        int colour;
        std::size_t lines;
        int parity;
        int shortest;
        int longest;
    };
    for (const TExpectation& expected : { TExpectation { White, 104, 0, 10, 18 }, { Black, 76, 1, 5, 17 } }) {
        const auto range = BookRange(expected.colour);
        ASSERT_EQ(range.size(), expected.lines);
        const std::size_t group = expected.lines / 4;
        const std::array<const char*, 4> openings { "f5", "c4", "e6", "d3" };
        for (std::size_t i = 0; i < range.size(); ++i) {
            SCOPED_TRACE(LineText(range[i]));
            EXPECT_EQ(range[i].length % 2, expected.parity);
            EXPECT_GE(range[i].length, expected.shortest);
            EXPECT_LE(range[i].length, expected.longest);
            EXPECT_EQ(MoveCodeName(range[i].moves[0]), openings[i / group]);
            ExpectLegalWithoutPasses(range[i]);
        }
    }
}

TEST(BookRange, WritesTheFormsInTheirOrder)
{
    const auto white = BookRange(White);
    EXPECT_EQ(LineText(white[0]), "f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 g5 c3 g4 d6");
    EXPECT_EQ(LineText(white[25]), "f5 f6 c4 g5 e6 d7 e7 d6 c5 c6 d8 b5");
    // Half a turn, then the two diagonal reflections of White base line 26.
    EXPECT_EQ(LineText(white[51]), "c4 c3 f5 b4 d3 e2 d2 e3 f4 f3 e1 g4");
    EXPECT_EQ(LineText(white[77]), "e6 f6 d3 e7 f5 g4 g5 f4 e3 f3 h4 e2");
    EXPECT_EQ(LineText(white[103]), "d3 c3 e6 d2 c4 b5 b4 c5 d6 c6 a5 d7");
    const auto black = BookRange(Black);
    EXPECT_EQ(LineText(black[18]), "f5 f4 e3 f2 e2");
    EXPECT_EQ(LineText(black[19]), "c4 c3 d3 c5 d6 f4 f5 d2 g4 d7 c7 e7 c6 e6 b4 f6 b5");
    EXPECT_EQ(LineText(black[75]), "d3 e3 f4 g3 g4");
}

TEST(BookLookup, ComputerAsBlackOpensWithF5AndStaysOnTheFirstLine)
{
    TBookCursors cursors { 7, 9 };
    EXPECT_EQ(NameOf(BookLookup(Black, {}, cursors)), "f5");
    EXPECT_EQ(cursors.black, 0);
    EXPECT_EQ(cursors.white, 9);
}

TEST(BookLookup, AnswersD3FromTheFirstLineOfTheD3Group)
{
    TBookCursors cursors;
    EXPECT_EQ(NameOf(BookLookup(White, Moves("d3"), cursors)), "c3");
    EXPECT_EQ(cursors.white, 78);
    EXPECT_EQ(cursors.black, 0);
}

TEST(BookLookup, ExhaustsWhitesRangeWhenTheGameLeavesTheBook)
{
    TBookCursors cursors;
    EXPECT_EQ(NameOf(BookLookup(White, Moves("f5"), cursors)), "f6");
    EXPECT_EQ(cursors.white, 0);
    EXPECT_EQ(NameOf(BookLookup(White, Moves("f5 f6 d3"), cursors)), "none");
    EXPECT_EQ(cursors.white, 104);
    // Even a game that a line continues finds nothing until the cursors are reset.
    EXPECT_EQ(NameOf(BookLookup(White, Moves("f5"), cursors)), "none");
    ResetBookCursors(cursors);
    EXPECT_EQ(NameOf(BookLookup(White, Moves("f5"), cursors)), "f6");
}

TEST(BookLookup, AnswersBlackAfterF5F4E3F6FromBaseLine15)
{
    TBookCursors cursors;
    EXPECT_EQ(NameOf(BookLookup(Black, Moves("f5 f4 e3 f6"), cursors)), "d3");
    EXPECT_EQ(cursors.black, 14);
}

TEST(BookLookup, EndsAfterTheLastMoveOfTheLongestLine)
{
    TBookCursors cursors;
    const std::vector<std::uint16_t> line = Moves("f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 g5 c3 g4 d6");
    const std::vector<std::uint16_t> first17(line.begin(), line.begin() + 17);
    EXPECT_EQ(NameOf(BookLookup(White, first17, cursors)), "d6");
    EXPECT_EQ(cursors.white, 0);
    std::vector<std::uint16_t> longer = line;
    longer.push_back(static_cast<std::uint16_t>(MoveCode(3, 2)));
    EXPECT_EQ(NameOf(BookLookup(White, longer, cursors)), "none");
}

TEST(BookLookup, OnlyMovesForwardAndTakesTheEarliestMatch)
{
    TBookCursors cursors;
    // White base lines 1 and 2 share their first 14 moves: the earlier one answers.
    EXPECT_EQ(NameOf(BookLookup(White, Moves("f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3"), cursors)), "d3");
    EXPECT_EQ(cursors.white, 0);
    EXPECT_EQ(
        NameOf(BookLookup(White, Moves("f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 c3"), cursors)), "c2");
    EXPECT_EQ(cursors.white, 1);
    // Line 1 has been passed over, so its continuation is no longer found.
    EXPECT_EQ(NameOf(BookLookup(White, Moves("f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 g5 c3 g4"), cursors)),
        "none");
}

TEST(BookLookup, APassLeavesTheBook)
{
    TBookCursors cursors;
    std::vector<std::uint16_t> moves = Moves("f5 f4 e3 f6");
    moves.push_back(0);
    EXPECT_EQ(NameOf(BookLookup(White, moves, cursors)), "none");
}
