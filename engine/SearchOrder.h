// The order every list-order search tries its moves in, and the walk over it that they share.
//
// A search converts its TSquareList once at the top into square indexes of Bitboard.h. The bitboard code
// relies on the list holding exactly the empty squares of the board, each once, which is how every caller
// builds it (BuildEmptyList and ChildList); any other list (a square off the board, occupied or repeated) is
// searched by the cell-board code instead, which follows the rules of Board.h for whatever the list holds.
//
// Both walks hand each move's child the list ChildList builds: the played slot taken by the last entry.
#pragma once

#include "Bitboard.h"

#include <array>
#include <cstdint>

namespace kalvoro::engine {

struct TSearchOrder {
    int count = 0;
    std::array<std::uint8_t, MaxEmptySquares> squares {};
};

// Fills `order` from `list` and returns true when `list` holds exactly the empty squares of `board`.
inline bool ToSearchOrder(const TBoard& board, const TSquareList& list, TSearchOrder& order)
{
    if (list.count < 0 || list.count > MaxEmptySquares) {
        return false;
    }
    TBits seen = 0;
    for (int k = 0; k < list.count; ++k) {
        const TSquare square = list.squares[k];
        if (square.x < 1 || square.x > 8 || square.y < 1 || square.y > 8
            || Cell(board, square.x, square.y) != EmptyCell) {
            return false;
        }
        const int index = BitIndex(square.x, square.y);
        if (seen & SquareBit(index)) {
            return false;
        }
        seen |= SquareBit(index);
        order.squares[k] = static_cast<std::uint8_t>(index);
    }
    order.count = list.count;
    return PopCount(seen) == PopCount(EmptySquares(ToBitBoard(board)));
}

// Calls `visit(square, flips, childList)` for the moves of the side owning `own` in list order, `moves`
// being its move mask and `flips` the discs each move turns, until `visit` returns true; returns whether it
// did.
template <class Visit>
inline bool UntilInListOrder(TBits own, TBits opponent, TBits moves, const TSearchOrder& list, Visit&& visit)
{
    const int last = list.count - 1;
    TSearchOrder childList = list;
    childList.count = last;
    for (int k = 0; k < list.count; ++k) {
        const int square = list.squares[k];
        if (!(moves & SquareBit(square))) {
            continue;
        }
        const TBits flips = FlipMask(own, opponent, square);
        childList.squares[k] = list.squares[last];
        const bool done = visit(square, flips, childList);
        childList.squares[k] = static_cast<std::uint8_t>(square);
        if (done) {
            return true;
        }
    }
    return false;
}

// The same walk on the cell board: calls `visit(square, child, childList)` for every square of `list` where
// `colour` can move, `child` being the board after the move, until `visit` returns true; returns whether it
// did.
template <class Visit>
inline bool UntilInListOrder(const TBoard& board, const TSquareList& list, int colour, Visit&& visit)
{
    const int last = list.count - 1;
    TSquareList childList = list;
    childList.count = static_cast<std::int16_t>(last);
    TBoard child;
    for (int k = 0; k < list.count; ++k) {
        const TSquare square = list.squares[k];
        if (!MakeMove(board, child, square.x, square.y, colour)) {
            continue;
        }
        childList.squares[k] = list.squares[last];
        const bool done = visit(square, child, childList);
        childList.squares[k] = square;
        if (done) {
            return true;
        }
    }
    return false;
}

// How a list-order search counts its nodes (calls of its node procedure): not at all, or into a caller's
// counter; and whether it is to end at once (these never end a search).
struct TNoCount {
    void Visit() { }
    static constexpr bool Stopped() { return false; }
};

struct TNodeCount {
    std::uint64_t& nodes;
    void Visit() { ++nodes; }
    static constexpr bool Stopped() { return false; }
};

} // namespace kalvoro::engine
