// The list of empty squares as the bitboard searches carry it: square indexes of Bitboard.h in search order.
//
// A search converts its TSquareList once at the top. The fast code relies on the list holding exactly the
// empty squares of the board, each once, which is how every caller builds it (BuildEmptyList and ChildList);
// any other list (a square off the board, occupied or repeated) is searched by the cell-board code instead,
// so that even such calls give the same results as before.
#pragma once

#include "Bitboard.h"

#include <array>
#include <cstdint>

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
