// Ten fixed endgame positions with known exact scores, for the benchmark of the exact solver.
#pragma once

#include "engine/Board.h"

#include <array>

namespace kalvoro::cli {

// A position as 64 characters for a1, b1, ... h8 ('X' Black, 'O' White, '-' empty), the side to move and
// the exact final disc difference of its best move for the side to move.
struct TFfoPosition {
    const char* name;
    const char* squares;
    int sideToMove;
    int bestScore;
};

// The public FFO endgame test positions #40-#49 (20 to 26 empty squares).
const std::array<TFfoPosition, 10>& FfoPositions();

// The board of `position`.
engine::TBoard FfoBoard(const TFfoPosition& position);

} // namespace kalvoro::cli
