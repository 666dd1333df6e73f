// Plain rules on an 8 by 8 grid with bounds tests, written independently of the engine's bordered board, to
// check the engine's rule operations against.
#pragma once

#include "engine/Board.h"

#include <array>
#include <vector>

using namespace kalvoro::engine;

namespace reference {

using Grid = std::array<std::array<int, 8>, 8>; // [row][column], 0-based

inline Grid ToGrid(const TBoard& board)
{
    Grid grid {};
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            grid[y - 1][x - 1] = Cell(board, x, y);
        }
    }
    return grid;
}

inline bool OnBoard(int column, int row)
{
    return column >= 0 && column < 8 && row >= 0 && row < 8;
}

// The squares (0-based column, row) a disc of `colour` at (column, row) turns.
inline std::vector<std::pair<int, int>> Flips(const Grid& grid, int column, int row, int colour)
{
    std::vector<std::pair<int, int>> flips;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx == 0 && dy == 0) {
                continue;
            }
            std::vector<std::pair<int, int>> run;
            int c = column + dx;
            int r = row + dy;
            while (OnBoard(c, r) && grid[r][c] == -colour) {
                run.emplace_back(c, r);
                c += dx;
                r += dy;
            }
            if (OnBoard(c, r) && grid[r][c] == colour) {
                flips.insert(flips.end(), run.begin(), run.end());
            }
        }
    }
    return flips;
}

inline bool IsLegal(const Grid& grid, int column, int row, int colour)
{
    return grid[row][column] == 0 && !Flips(grid, column, row, colour).empty();
}

inline Grid Play(const Grid& grid, int column, int row, int colour)
{
    Grid next = grid;
    next[row][column] = colour;
    for (auto [c, r] : Flips(grid, column, row, colour)) {
        next[r][c] = colour;
    }
    return next;
}

inline int CountMoves(const Grid& grid, int colour)
{
    int count = 0;
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            count += IsLegal(grid, column, row, colour) ? 1 : 0;
        }
    }
    return count;
}

} // namespace reference
