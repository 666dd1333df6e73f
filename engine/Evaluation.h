// Position evaluation: the measures a position is judged by and the terms of the six mid-game search
// variants.
//
// Every value is seen from Black's side. Each variant is a small struct of static terms that the shared
// search procedure (Search.cpp) is instantiated with. A term takes the position as the search holds it: a
// TCellPosition (the cell board and its list of empty squares) or a TBitBoard, whose measures agree value
// for value.
// clang-format off
//   NodeTerm(position)             added to every value backed up at an interior node (0 when the variant
//                                  has none)
//   Leaf(position, t, nodeTerm)    the value of a position at the node-depth limit
//   MoveTerm(x, y, t)              added for the move of side t at (x, y)
//   Pass(v, nodeTerm, t)           the value of a node whose side t passes, from the value v after the pass
//   End(position, t)               the value of a finished game, t being the side whose turn it would be
//   Start(t)                       the value side t starts from before it tries its moves
//   Maximises(t)                   whether side t seeks the larger value
// clang-format on
#pragma once

#include "Bitboard.h"
#include "Board.h"

#include <array>
#include <cstdint>

namespace kalvoro::engine {

// The weight of the square a move is played on, indexed [y - 1][x - 1]; symmetric under every reflection and
// rotation of the board.
inline constexpr std::array<std::array<std::int16_t, 8>, 8> SquareWeights { {
    { 100, -13, 5, 5, 5, 5, -13, 100 },
    { -13, -50, -2, -2, -2, -2, -50, -13 },
    { 5, -2, 0, 0, 0, 0, -2, 5 },
    { 5, -2, 0, 0, 0, 0, -2, 5 },
    { 5, -2, 0, 0, 0, 0, -2, 5 },
    { 5, -2, 0, 0, 0, 0, -2, 5 },
    { -13, -50, -2, -2, -2, -2, -50, -13 },
    { 100, -13, 5, 5, 5, 5, -13, 100 },
} };

constexpr int SquareWeight(int x, int y)
{
    return SquareWeights[y - 1][x - 1];
}

// The discs of `colour` on the edges that run unbroken from a corner of that colour: from each such corner
// both edges are walked outwards until the first square not of `colour`; the corners themselves do not count,
// a walk may run through the far corner, so a whole edge of one colour counts 14.
int StableEdgeCount(const TBoard& board, int colour);

// StableEdgeCount over the discs of one colour given as a bit mask.
int StableEdgeCount(TBits discs);

// A position as the cell-board searches hold it: the board and its list of empty squares, which is where
// mobility is counted.
struct TCellPosition {
    const TBoard& board;
    const TSquareList& list;
};

// The measures of a position as the searches hold it.
inline int DiscDifference(const TCellPosition& position)
{
    return DiscDifference(position.board);
}
inline int CountMoves(const TCellPosition& position, int colour)
{
    return CountMobility(position.board, position.list, colour);
}
inline int StableEdgeCount(const TCellPosition& position, int colour)
{
    return StableEdgeCount(position.board, colour);
}
inline int StableEdgeCount(const TBitBoard& board, int colour)
{
    return StableEdgeCount(OwnDiscs(board, colour));
}

// StableEdgeCount for Black minus StableEdgeCount for White.
template <class Position> int StableEdgeBalance(const Position& position)
{
    return StableEdgeCount(position, Black) - StableEdgeCount(position, White);
}

// Black's legal-move count minus White's, whoever is to move.
template <class Position> int MobilityDifference(const Position& position)
{
    return CountMoves(position, Black) - CountMoves(position, White);
}

// The graded measure 4 * mobility difference + 20 * stable edge balance.
template <class Position> int GradedMeasure(const Position& position)
{
    return 4 * MobilityDifference(position) + 20 * StableEdgeBalance(position);
}

// A finished game scored only by who won it: +win when Black has more discs, -win when White has, 0 for a
// draw.
template <class Position> int WinnerScore(const Position& position, int win)
{
    const int difference = DiscDifference(position);
    return difference > 0 ? win : difference < 0 ? -win : 0;
}

// Black maximises, White minimises; start values of plus or minus 9999. The base of every variant but one.
struct TPlainTerms {
    template <class Position> static int NodeTerm(const Position&) { return 0; }
    static int MoveTerm(int, int, int) { return 0; }
    static int Pass(int v, int, int) { return v; }
    static int Start(int colour) { return colour == Black ? -9999 : 9999; }
    static bool Maximises(int colour) { return colour == Black; }
};

// Slime: the disc difference.
struct TDiscTerms : TPlainTerms {
    template <class Position> static int Leaf(const Position& position, int, int)
    {
        return DiscDifference(position);
    }
    template <class Position> static int End(const Position& position, int)
    {
        return DiscDifference(position);
    }
};

// Dog: the disc difference with the aims reversed, each side seeking as few discs of its own as possible.
struct TFewestDiscTerms : TDiscTerms {
    static int Start(int colour) { return colour == Black ? 9999 : -9999; }
    static bool Maximises(int colour) { return colour == White; }
};

// Cow: the sum of the mobility differences of every position on the path below the root.
struct TMobilityTerms : TPlainTerms {
    template <class Position> static int NodeTerm(const Position& position)
    {
        return MobilityDifference(position);
    }
    template <class Position> static int Leaf(const Position&, int, int nodeTerm) { return nodeTerm; }
    static int Pass(int v, int nodeTerm, int) { return v + nodeTerm; }
    template <class Position> static int End(const Position& position, int)
    {
        return WinnerScore(position, 10000);
    }
};

// Dolphin: the mobility of the side to move and the stable edges. A finished game counts only the stable
// edges of the side whose turn it would be, with different factors for the two sides.
struct TMobilityEdgeTerms : TPlainTerms {
    template <class Position> static int Leaf(const Position& position, int colour, int)
    {
        return colour * CountMoves(position, colour) + 16 * StableEdgeBalance(position);
    }
    template <class Position> static int End(const Position& position, int colour)
    {
        const int mobility = CountMoves(position, colour);
        return colour == Black ? mobility + 5 * StableEdgeCount(position, Black)
                               : -10 * StableEdgeCount(position, White) - mobility;
    }
};

// Monkey: the weights of the squares played on the path, the mobility difference at the leaf, 100 per pass.
struct TWeightedTerms : TPlainTerms {
    template <class Position> static int Leaf(const Position& position, int, int)
    {
        return MobilityDifference(position);
    }
    static int MoveTerm(int x, int y, int colour) { return colour * SquareWeight(x, y); }
    static int Pass(int v, int, int colour) { return v - 100 * colour; }
    template <class Position> static int End(const Position& position, int)
    {
        return WinnerScore(position, 10000);
    }
};

// The Grade levels and Custom: the graded measure of every position on the path plus the square weights of
// the moves, 100 per pass.
struct TGradedTerms {
    template <class Position> static int NodeTerm(const Position& position)
    {
        return GradedMeasure(position);
    }
    template <class Position> static int Leaf(const Position&, int, int nodeTerm) { return nodeTerm; }
    static int MoveTerm(int x, int y, int colour) { return colour * SquareWeight(x, y); }
    static int Pass(int v, int nodeTerm, int colour) { return v + nodeTerm - 100 * colour; }
    template <class Position> static int End(const Position& position, int)
    {
        return WinnerScore(position, 20000);
    }
    static int Start(int colour) { return colour == Black ? -29999 : 29999; }
    static bool Maximises(int colour) { return colour == Black; }
};

} // namespace kalvoro::engine
