// Discs that can never be turned again, for the solvers' cap on a score.
#pragma once

#include "Bitboard.h"

#include <array>

namespace kalvoro::engine {

// The squares of the lines among `lines` that have no empty square.
inline TBits FullLines(TBits filled, const std::array<TBits, 15>& lines)
{
    TBits full = 0;
    for (const TBits line : lines) {
        full |= (filled & line) == line ? line : 0;
    }
    return full;
}

// A subset of the discs of `discs` that can never be turned: along each of its four lines a disc is safe
// when the line is full (no move can ever be made on it), when the disc stands on the board's edge across
// that line, or when a neighbour on that line is itself such a disc (a turned run cannot pass a disc of its
// own colour that never turns). Grown from nothing to the fixed point, so only truly stable discs count.
// Inline, as the strong solver asks for it at many nodes.
inline TBits StableDiscs(TBits discs, TBits filled)
{
    constexpr TBits boardEdge = ColumnA | ColumnH | Row1 | Row8;
    TBits rows = filled & (filled >> 1);
    rows &= rows >> 2;
    rows &= rows >> 4;
    const TBits fullRows = (rows & ColumnA) * 0xFF;
    TBits columns = filled & (filled >> 8);
    columns &= columns >> 16;
    columns &= columns >> 32;
    const TBits fullColumns = (columns & Row1) * ColumnA;
    const TBits safeRow = fullRows | ColumnA | ColumnH;
    const TBits safeColumn = fullColumns | Row1 | Row8;
    const TBits safeRising = FullLines(filled, RisingDiagonals) | boardEdge;
    const TBits safeFalling = FullLines(filled, FallingDiagonals) | boardEdge;
    TBits stable = 0;
    for (;;) {
        const TBits row = safeRow | ((stable << 1) & ~ColumnA) | ((stable >> 1) & ~ColumnH);
        const TBits column = safeColumn | (stable << 8) | (stable >> 8);
        const TBits rising = safeRising | ((stable << 9) & ~ColumnA) | ((stable >> 9) & ~ColumnH);
        const TBits falling = safeFalling | ((stable << 7) & ~ColumnH) | ((stable >> 7) & ~ColumnA);
        const TBits grown = discs & row & column & rising & falling;
        if (grown == stable) {
            return stable;
        }
        stable = grown;
    }
}

// The most the side owning `own` can still score against `opponent`: every disc but the opponent's stable
// ones may end up its own.
inline int StableScoreCap(TBits own, TBits opponent)
{
    return 64 - 2 * PopCount(StableDiscs(opponent, own | opponent));
}

} // namespace kalvoro::engine
