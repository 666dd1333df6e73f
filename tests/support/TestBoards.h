// Boards for tests: an empty board and one with discs at named squares.
#pragma once

#include "engine/Board.h"

#include <initializer_list>
#include <utility>

using namespace kalvoro::engine;

// The border ring with all 64 playing squares empty.
inline TBoard EmptyBoard()
{
    TBoard board = InitialBoard();
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            Cell(board, x, y) = EmptyCell;
        }
    }
    return board;
}

// An empty board with a disc of the given colour on each named square ("a1", ...).
inline TBoard BoardWith(std::initializer_list<std::pair<const char*, int>> discs)
{
    TBoard board = EmptyBoard();
    for (auto [name, colour] : discs) {
        Cell(board, name[0] - 'a' + 1, name[1] - '0') = static_cast<std::int16_t>(colour);
    }
    return board;
}
