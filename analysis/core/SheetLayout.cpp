#include "SheetLayout.h"

#include "AnalysisGame.h"

#include <algorithm>
#include <cstdlib>

namespace kalvoro::analysis {

using namespace kalvoro::engine;
using namespace kalvoro::records;

namespace {

constexpr int PageUnitsWide = 72;
constexpr int PageUnitsHigh = 95;
constexpr int SlotsPerRow = 8;

std::string NextMoveLabel(int index, int move)
{
    const std::string side = index % 2 == 1 ? "W" : "B";
    return side + " : " + (IsSquareCode(move) ? MoveCodeName(move) : std::string("??"));
}

} // namespace

int RoundHalfEven(long long numerator, long long denominator)
{
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) {
        remainder += denominator;
        --quotient;
    }
    const long long twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return static_cast<int>(quotient);
}

int PrintUnit(int pageWidth, int pageHeight)
{
    return std::max(1, std::min(pageWidth / PageUnitsWide, pageHeight / PageUnitsHigh));
}

TSheetLayout::TSheetLayout(int unit)
    : u(unit)
{
}

int TSheetLayout::Tenths(long long tenths) const
{
    return RoundHalfEven(tenths * u, 10);
}

int TSheetLayout::MemoFontHeight() const
{
    return Tenths(14);
}

int TSheetLayout::ArialFontHeight() const
{
    return Tenths(12);
}

TPixelLine TSheetLayout::LargeVerticalLine(int b) const
{
    return { { (2 * b + 1) * u, 2 * u }, { (2 * b + 1) * u, 18 * u + 1 } };
}

TPixelLine TSheetLayout::LargeHorizontalLine(int b) const
{
    return { { u, (2 * b + 2) * u }, { 17 * u + 1, (2 * b + 2) * u } };
}

TPixelRect TSheetLayout::StarPoint(int index) const
{
    const int left = index % 2 == 0 ? 48 : 128;
    const int top = index < 2 ? 58 : 138;
    return { Tenths(left) + 1, Tenths(top) + 1, Tenths(left + 4) + 1, Tenths(top + 4) + 1 };
}

TPixelPoint TSheetLayout::MemoLineOrigin(int line) const
{
    return { 19 * u, Tenths(15LL * line + 20) };
}

TPixelPoint TSheetLayout::CreditOrigin() const
{
    return { 43 * u, 16 * u };
}

TPixelPoint TSheetLayout::ColumnLetterOrigin(int column) const
{
    return { Tenths(20LL * column - 4), 0 };
}

TPixelPoint TSheetLayout::RowDigitOrigin(int row) const
{
    return { 0, Tenths(20LL * row + 3) };
}

TPixelRect TSheetLayout::LargeDisc(int x, int y) const
{
    return { Tenths(20LL * x - 9), Tenths(20LL * y + 1), Tenths(20LL * x + 9), Tenths(20LL * y + 19) };
}

TPixelPoint TSheetLayout::LargeNumberOrigin(int x, int y) const
{
    return { Tenths(20LL * x - 6), RoundHalfEven((2000LL * y + 405) * u, 1000) };
}

TPixelPoint TSheetLayout::SlotOrigin(int slot) const
{
    return { (slot % SlotsPerRow) * 9 * u, Tenths(95LL * (slot / SlotsPerRow) + 190) };
}

TPixelRect TSheetLayout::SmallFrame(TPixelPoint origin) const
{
    return { origin.x, origin.y, origin.x + 8 * u + 1, origin.y + 8 * u + 1 };
}

TPixelLine TSheetLayout::SmallVerticalLine(TPixelPoint origin, int s) const
{
    return { { origin.x + s * u, origin.y }, { origin.x + s * u, origin.y + 8 * u + 1 } };
}

TPixelLine TSheetLayout::SmallHorizontalLine(TPixelPoint origin, int s) const
{
    return { { origin.x, origin.y + s * u }, { origin.x + 8 * u + 1, origin.y + s * u } };
}

TPixelRect TSheetLayout::SmallDisc(TPixelPoint origin, int x, int y) const
{
    return { origin.x + Tenths(10LL * x - 9), origin.y + Tenths(10LL * y - 9),
        origin.x + Tenths(10LL * x - 1), origin.y + Tenths(10LL * y - 1) };
}

TPixelRect TSheetLayout::NextMoveBox(TPixelPoint origin, int x, int y) const
{
    return { origin.x + Tenths(10LL * x - 6), origin.y + Tenths(10LL * y - 6),
        origin.x + Tenths(10LL * x - 4), origin.y + Tenths(10LL * y - 4) };
}

TPixelPoint TSheetLayout::LabelOrigin(TPixelPoint origin) const
{
    return { origin.x + 2 * u, origin.y + 8 * u + 1 };
}

std::vector<TSmallDiagram> SmallDiagrams(const TGameRecord& record)
{
    std::vector<TSmallDiagram> diagrams;
    for (int i = 0; i <= record.LastIndex; ++i) {
        const int move = StoredMove(record, i);
        if (i < record.LastIndex && move == 0) {
            continue;
        }
        TSmallDiagram diagram;
        diagram.index = i;
        diagram.board = UnpackPosition(record, i);
        if (i < record.LastIndex) {
            diagram.nextMove = IsSquareCode(move) ? move : 0;
            diagram.label = NextMoveLabel(i, move);
        } else {
            diagram.label = ResultLabel(diagram.board);
        }
        diagrams.push_back(diagram);
    }
    return diagrams;
}

std::string ResultLabel(const TBoard& board)
{
    const int difference = DiscDifference(board);
    if (difference == 0) {
        return "Draw";
    }
    return (difference > 0 ? "B +" : "W +") + std::to_string(std::abs(difference));
}

} // namespace kalvoro::analysis
