// The opening book: fixed lines of moves from the initial position that the graded levels play while the game
// follows one of them.
//
// Each colour has its own range of lines, each line ending with a move of that colour. A range is made of
// base lines that all open with f5, written four times: unchanged, turned by half a turn (c4), reflected in
// the a1-h8 diagonal (e6) and reflected in the a8-h1 diagonal (d3). A lookup scans its colour's range forward
// from that colour's cursor and stops on the first line that the game so far begins; the cursor stays there,
// so a line once passed over is not seen again until the cursors are reset.
#pragma once

#include "Board.h"
#include "BookCursor.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace kalvoro::engine {

constexpr int MaxBookLineLength = 18;

// One line of the book: `length` move codes from Black's first move on.
struct TBookLine {
    int length = 0;
    std::array<std::uint8_t, MaxBookLineLength> moves {};
};

// The lines the computer plays from when it plays `colour`, in scan order: 104 lines for White, 76 for Black.
std::span<const TBookLine> BookRange(int colour);

// The book's answer for `colour` to move after `gameMoves` (the game's move codes in order, 0 for a pass), or
// nothing when no line of the range from the cursor on continues the game. Moves only the cursor of `colour`.
// The answer is not checked for legality: it is legal whenever `gameMoves` were played from the initial
// position.
std::optional<TSquare> BookLookup(
    int colour, std::span<const std::uint16_t> gameMoves, TBookCursors& cursors);

} // namespace kalvoro::engine
