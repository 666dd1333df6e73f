// The move-number diagram of a game: every played square shows a disc of the colour that played it with the
// number of the move on it, the four starting discs without a number. The analysis window and the printed
// sheet draw it, each at its own places and in its own look.
#pragma once

#include "Shapes.h"
#include "engine/Board.h"

#include <functional>

namespace kalvoro::widgets {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;

// Where square (x, y) of a diagram goes: the disc's box and the top-left corner of its number.
struct TMoveNumberPlace {
    TPixelRect disc;
    TPixelPoint number;
};

struct TMoveNumberLook {
    std::function<TMoveNumberPlace(int x, int y)> placeOf;
    // The outline of a black disc (a white disc's is black).
    QColor blackRim;
    // Fill: a number on a box of its disc's colour, as the printer's text is drawn.
    TTextBackground numberBackground = TTextBackground::Transparent;
};

// Paints the diagram of `numbers` (a board from BuildMoveNumberBoard) in the painter's font, square by square
// in reading order. Leaves the pen black and the fill white.
void PaintMoveNumbers(QPainter& painter, const TBoard& numbers, const TMoveNumberLook& look);

} // namespace kalvoro::widgets
