// The measures the strong solver sorts its moves by, each taken on the position after a move, where the
// opponent is to move: the fewer replies it has (corners counting twice), the fewer empty squares it can
// hope to reach soon, and the more of the mover's discs sit safe in a corner, the sooner the move tends to
// settle the node.
#pragma once

#include "Bitboard.h"

#include <array>

namespace kalvoro::engine {

constexpr TBits CornerSquares = 0x8100000000000081ULL;

// The empty squares next to a disc of `discs`: where the other side may find moves later.
inline TBits EmptyNeighbours(TBits discs, TBits empty)
{
    const TBits notA = ~ColumnA;
    const TBits notH = ~ColumnH;
    const TBits sideways = ((discs << 1) & notA) | ((discs >> 1) & notH);
    const TBits around = sideways | discs;
    return (sideways | (around << 8) | (around >> 8)) & empty;
}

// The discs of `discs` on a corner or on an edge square next to a corner they also hold: discs that can
// never be turned, found without the full stability analysis.
inline int CornerStability(TBits discs)
{
    const TBits corners = discs & CornerSquares;
    const TBits beside = ((corners & 0x0100000000000001ULL) << 1) | ((corners & 0x8000000000000080ULL) >> 1)
        | ((corners & 0x0000000000000081ULL) << 8) | ((corners & 0x8100000000000000ULL) >> 8);
    return PopCount((beside & discs) | corners);
}

// A small preference by the kind of square, for moves the other measures rank alike: corners first, the
// squares diagonally next to a corner last.
constexpr std::array<int, 64> MakeSquareValues()
{
    constexpr std::array<int, 10> byDistance { 18, 4, 16, 12, 2, 6, 8, 14, 10, 0 };
    std::array<int, 64> values {};
    for (int square = 0; square < 64; ++square) {
        int x = square % 8;
        int y = square / 8;
        x = x < 4 ? x : 7 - x;
        y = y < 4 ? y : 7 - y;
        const int low = x < y ? x : y;
        const int high = x < y ? y : x;
        // The ten squares of a quadrant up to its diagonal, numbered by (low, high).
        const int index = low == 0 ? high : low == 1 ? 3 + high : low == 2 ? 5 + high : 9;
        values[static_cast<std::size_t>(square)] = byDistance[static_cast<std::size_t>(index)];
    }
    return values;
}

inline constexpr std::array<int, 64> SquareValues = MakeSquareValues();

// The sort key of a move on `square` by the position after it, `childOwn` being the opponent's discs (it is
// to move, with `replies`) and `childOpponent` the mover's: above all the fewest replies, then the most
// corner discs, then the fewest empty squares next to the mover's discs, then the kind of square. Larger is
// better.
inline int FastestFirstKey(TBits childOwn, TBits childOpponent, TBits replies, int square)
{
    const TBits empty = ~(childOwn | childOpponent);
    int key = -(PopCount(replies) + PopCount(replies & CornerSquares)) * (1 << 15);
    key += CornerStability(childOpponent) * (1 << 11);
    key -= PopCount(EmptyNeighbours(childOpponent, empty)) * (1 << 5);
    return key + SquareValues[static_cast<std::size_t>(square)];
}

} // namespace kalvoro::engine
