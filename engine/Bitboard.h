// The board as a pair of 64-bit masks, for the searches' inner loops.
//
// Bit (y - 1) * 8 + (x - 1) stands for square (x, y): a1 is bit 0, h1 bit 7, a8 bit 56. Move masks are built
// with a few shift-and-mask passes per direction and counted with popcount; the discs a move turns come from
// a separate function walking the eight lines from the move's square. These follow exactly the rules of
// Board.h, which the tests check square for square.
#pragma once

#include "Board.h"

#include <bit>
#include <cstdint>

using TBits = std::uint64_t;

// The discs of both colours.
struct TBitBoard {
    TBits black = 0;
    TBits white = 0;
    friend bool operator==(const TBitBoard&, const TBitBoard&) = default;
};

constexpr int BitIndex(int x, int y)
{
    return (y - 1) * 8 + (x - 1);
}
constexpr TBits SquareBit(int index)
{
    return TBits { 1 } << index;
}
constexpr int BitX(int index)
{
    return index % 8 + 1;
}
constexpr int BitY(int index)
{
    return index / 8 + 1;
}

inline int PopCount(TBits bits)
{
    return std::popcount(bits);
}

TBitBoard ToBitBoard(const TBoard& board);
TBoard ToTBoard(const TBitBoard& board);

inline TBits OwnDiscs(const TBitBoard& board, int colour)
{
    return colour == Black ? board.black : board.white;
}
inline TBits EmptySquares(const TBitBoard& board)
{
    return ~(board.black | board.white);
}
inline int DiscDifference(const TBitBoard& board)
{
    return PopCount(board.black) - PopCount(board.white);
}

// The empty squares where the side owning `own` can move against `opponent`.
TBits MoveMask(TBits own, TBits opponent);

// The discs of `opponent` that a disc of `own` placed on square `index` turns; 0 when the move is illegal.
// The square itself is not examined.
TBits FlipMask(TBits own, TBits opponent, int index);

inline int CountMoves(const TBitBoard& board, int colour)
{
    return colour == Black ? PopCount(MoveMask(board.black, board.white))
                           : PopCount(MoveMask(board.white, board.black));
}

// The position after `colour` plays at `index` turning `flips` (from FlipMask).
inline TBitBoard PlayMove(const TBitBoard& board, int colour, int index, TBits flips)
{
    const TBits played = flips | SquareBit(index);
    if (colour == Black) {
        return { board.black | played, board.white & ~flips };
    }
    return { board.black & ~flips, board.white | played };
}

// StableEdgeCount of Evaluation.h over the discs of one colour.
int StableEdgeCount(TBits discs);
