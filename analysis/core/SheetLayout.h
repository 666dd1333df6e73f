// The printed game sheet laid out in printer pixels, without any drawing: the painter in the window layer
// draws exactly these shapes.
//
// The page is treated as 72 units wide and 95 high; the unit u is the smaller of width / 72 and height / 95
// in whole pixels, and every position is a multiple of u rounded to the nearest pixel, halves to the even
// one. On the page: the large move-number diagram from (1, 2) to (17, 18) units with its letters on the top
// edge and its digits on the left edge, the memo lines from (19, 2) downwards 1.5 units apart, the credit
// line at (43, 16), and the small diagrams, 8 units wide in slots of 9 by 9.5 from (0, 19), each with its
// label under it. Rectangles and ellipses are bounding boxes whose right and bottom edges are exclusive.
#pragma once

#include "engine/Board.h"
#include "records/GameRecord.h"

#include <string>
#include <vector>

namespace kalvoro::analysis {

using namespace kalvoro::engine;
using namespace kalvoro::records;

struct TPixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPixelPoint&, const TPixelPoint&) = default;
};

struct TPixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const TPixelRect&, const TPixelRect&) = default;
};

// A line from `from` to `to`, the end point itself not drawn.
struct TPixelLine {
    TPixelPoint from;
    TPixelPoint to;
};

// numerator / denominator rounded to the nearest integer, halves to the even neighbour; denominator > 0.
int RoundHalfEven(long long numerator, long long denominator);

// The unit of the page: min(width div 72, height div 95), at least 1.
int PrintUnit(int pageWidth, int pageHeight);

// The credit line printed beside the large diagram.
inline constexpr const char* SheetCredit = "Printed by Kalvoro";

// The positions of everything on the sheet for the unit u.
class TSheetLayout {
public:
    explicit TSheetLayout(int unit);

    int Unit() const { return u; }
    // Cell heights (character height plus internal leading) of the memo font and of the Arial texts.
    int MemoFontHeight() const;
    int ArialFontHeight() const;

    // The nine vertical and nine horizontal lines of the large diagram, b = 0 to 8.
    TPixelLine LargeVerticalLine(int b) const;
    TPixelLine LargeHorizontalLine(int b) const;
    // The four star points, 0 to 3, in reading order (near the corners c3, f3, c6 and f6 of the grid).
    TPixelRect StarPoint(int index) const;
    TPixelPoint MemoLineOrigin(int line) const;
    TPixelPoint CreditOrigin() const;
    TPixelPoint ColumnLetterOrigin(int column) const;
    TPixelPoint RowDigitOrigin(int row) const;
    TPixelRect LargeDisc(int x, int y) const;
    TPixelPoint LargeNumberOrigin(int x, int y) const;

    // The top-left corner of small-diagram slot k (0 to 63).
    TPixelPoint SlotOrigin(int slot) const;
    TPixelRect SmallFrame(TPixelPoint origin) const;
    // Inner grid lines s = 1 to 7.
    TPixelLine SmallVerticalLine(TPixelPoint origin, int s) const;
    TPixelLine SmallHorizontalLine(TPixelPoint origin, int s) const;
    TPixelRect SmallDisc(TPixelPoint origin, int x, int y) const;
    TPixelRect NextMoveBox(TPixelPoint origin, int x, int y) const;
    TPixelPoint LabelOrigin(TPixelPoint origin) const;

private:
    // R(tenths * u / 10).
    int Tenths(long long tenths) const;
    int u;
};

// One small diagram: the position from which a move was played (or the final position) and its label.
struct TSmallDiagram {
    int index = 0;
    TBoard board {};
    // The move played from it, 0 for the final position (or a stored number that names no square).
    int nextMove = 0;
    std::string label;
};

// The small diagrams of `record` in slot order: every position from which a real move was played, then the
// final position. A position where the side to move passed gets none.
std::vector<TSmallDiagram> SmallDiagrams(const TGameRecord& record);

// The label of the final position: "Draw", "B +d" or "W +d" by the disc difference.
std::string ResultLabel(const TBoard& board);

} // namespace kalvoro::analysis
