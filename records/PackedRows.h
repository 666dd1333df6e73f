// The packed board of a game record's position line and of the game's history: one 16-bit word per row,
// row 1 first, two bits per square holding the cell value + 1 (0 White, 1 empty, 2 Black), column a in the
// top bits of its word.
#pragma once

#include "engine/Board.h"

#include <array>
#include <cstdint>

namespace kalvoro::records {

using namespace kalvoro::engine;

using TPackedRows = std::array<std::uint16_t, 8>;

// The eight row words of the playing squares of `board`, which holds only discs and empty squares.
TPackedRows PackRows(const TBoard& board);

// Writes the playing squares of `rows` into `board`; the border is left alone. The pair 3, which no board
// packs to, reads as an empty square, so a damaged or hand-made record shows no third kind of disc.
void UnpackRows(const TPackedRows& rows, TBoard& board);

} // namespace kalvoro::records
