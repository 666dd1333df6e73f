// The picture of the board: outline, grid, star points, discs and legal-move dots, drawn into an image that
// the board view shows. Every shape is given by a box whose left and top edges are inside and whose right and
// bottom edges are outside; the drawing sets exactly those pixels, whatever the painter's own conventions.
#pragma once

#include "engine/Board.h"

#include <QFont>
#include <QImage>
#include <QRect>

namespace kalvoro::ui {

using namespace kalvoro::engine;

// A box with an inside left/top edge and an outside right/bottom edge, as the board's geometry is written.
QRect BoxOf(int left, int top, int right, int bottom);

// Near and far edges of the star point boxes on either axis at `cellSize`.
struct TStarBoxes {
    int nearFrom, nearTo, farFrom, farTo;
};
TStarBoxes StarBoxes(int cellSize);

// The square under board pixel (px, py), or x = 0 when the pixel lies outside the 64 squares (the last pixel
// column and row, on x = 8c and y = 8c, included).
TSquare SquareAt(int cellSize, int px, int py);

class TBoardImage {
public:
    explicit TBoardImage(int cellSize);

    int CellSize() const { return cellSize; }
    const QImage& Image() const { return image; }
    // Starts over at a new size: the image is 8c + 1 pixels square and all green.
    void Resize(int newCellSize);

    // The whole board from `view`: outline, grid lines, star points, then every disc without erasing.
    // Returns the part of the image that changed.
    QRect PaintBoard(const TBoard& view, int sideToMove);
    // One square from `value`: a disc, a legal-move dot in the colour of `sideToMove`, or, with `erase`, an
    // empty square painted green inside the grid lines.
    QRect DrawSquare(int x, int y, bool erase, int value, int sideToMove);
    QRect DrawStarPoints();
    // All 64 squares with erasing, then the star points that erasing cut into.
    QRect RedrawDiscs(const TBoard& view, int sideToMove);
    // A decimal value in white on green at the top left of square (x, y).
    QRect DrawDebugValue(int x, int y, int value, const QFont& font);

private:
    QRect FillBox(const QRect& box, const QColor& colour);
    QRect DrawEllipse(const QRect& box, const QColor& pen, const QColor& brush);

    int cellSize;
    QImage image;
};

} // namespace kalvoro::ui
