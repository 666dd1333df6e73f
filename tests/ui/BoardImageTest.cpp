// The board picture pixel by pixel at all six sizes: outline, grid, star points, discs, erasing, legal-move
// dots and debug values.
#include "ui/BoardImage.h"

#include "UiTestSupport.h"

#include <gtest/gtest.h>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::analysis;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

namespace {

struct TStarRow {
    int cellSize, nearFrom, nearTo, farFrom, farTo;
};

// The star point boxes as the board's design tables them.
constexpr TStarRow StarTable[]
    = { { 18, 36, 40, 108, 112 }, { 24, 48, 52, 144, 148 }, { 30, 59, 65, 179, 185 },
          { 38, 74, 82, 226, 234 }, { 44, 86, 94, 262, 270 }, { 52, 101, 111, 309, 319 } };

const QColor BlackColour(0, 0, 0);
const QColor WhiteColour(255, 255, 255);

class BoardImage : public ::testing::TestWithParam<TStarRow> {
protected:
    void SetUp() override { TestApplication(); }
    int C() const { return GetParam().cellSize; }
    QColor At(int x, int y) const { return board.Image().pixelColor(x, y); }
    TBoardImage board { GetParam().cellSize };
    TBoard view = InitialBoard();
};

TEST_P(BoardImage, OutlineAndGridLinesRunWhereTheSquaresMeet)
{
    board.PaintBoard(view, Black);
    const int c = C();
    ASSERT_EQ(board.Image().size(), QSize(8 * c + 1, 8 * c + 1));
    for (int i = 0; i <= 8 * c; i += 7) {
        EXPECT_EQ(At(0, i), BlackColour) << i;
        EXPECT_EQ(At(8 * c, i), BlackColour) << i;
        EXPECT_EQ(At(i, 0), BlackColour) << i;
        EXPECT_EQ(At(i, 8 * c), BlackColour) << i;
    }
    const int inside = c / 2; // a row and column of a1 that no line crosses
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(At(i * c + 1, inside), BlackColour) << i;
        EXPECT_EQ(At(inside, i * c + 1), BlackColour) << i;
        EXPECT_EQ(At(i * c, inside), Colours::Green) << i;
        EXPECT_EQ(At(i * c + 2, inside), Colours::Green) << i;
        EXPECT_EQ(At(inside, i * c), Colours::Green) << i;
    }
    EXPECT_EQ(At(1, inside), Colours::Green);
    EXPECT_EQ(At(8 * c - 1, inside), Colours::Green);
}

TEST_P(BoardImage, StarPointsFillTheirTabledBoxes)
{
    const TStarRow& row = GetParam();
    const TStarBoxes boxes = StarBoxes(row.cellSize);
    EXPECT_EQ(boxes.nearFrom, row.nearFrom);
    EXPECT_EQ(boxes.nearTo, row.nearTo);
    EXPECT_EQ(boxes.farFrom, row.farFrom);
    EXPECT_EQ(boxes.farTo, row.farTo);
    board.PaintBoard(view, Black);
    // Along the middle column of a box (off the grid line) the dot runs exactly from its top to its bottom.
    for (const auto& [from, to] :
        { std::pair { row.nearFrom, row.nearTo }, std::pair { row.farFrom, row.farTo } }) {
        const int middle = (from + to) / 2;
        ASSERT_NE(middle % row.cellSize, 1);
        for (int y = from; y < to; ++y) {
            EXPECT_EQ(At(middle, y), BlackColour) << from << " y " << y;
        }
        EXPECT_EQ(At(middle, from - 1), Colours::Green) << from;
        EXPECT_EQ(At(middle, to), Colours::Green) << from;
        EXPECT_EQ(At(from - 1, middle), Colours::Green) << from;
        EXPECT_EQ(At(to, middle), Colours::Green) << from;
        EXPECT_EQ(At(from, middle), BlackColour) << from;
        EXPECT_EQ(At(to - 1, middle), BlackColour) << from;
    }
}

TEST_P(BoardImage, DiscsFillTheirBoxWithTheirRimColour)
{
    const int c = C();
    board.PaintBoard(view, Black);
    // d4 is White and e4 Black at the start.
    const int top = 3 * c + 3;
    const int bottom = 4 * c; // outside
    const int middle = (top + bottom) / 2;
    const int whiteLeft = 3 * c + 3;
    EXPECT_EQ(At(whiteLeft, middle), BlackColour);
    EXPECT_EQ(At(whiteLeft - 1, middle), Colours::Green);
    EXPECT_EQ(At(4 * c - 1, middle), BlackColour);
    EXPECT_EQ(At(4 * c, middle), Colours::Green);
    EXPECT_EQ(At(middle, top), BlackColour);
    EXPECT_EQ(At(middle, top - 1), Colours::Green);
    EXPECT_EQ(At(middle, bottom - 1), BlackColour);
    EXPECT_EQ(At(middle, bottom), Colours::Green);
    EXPECT_EQ(At(middle, middle), WhiteColour);
    const int blackLeft = 4 * c + 3;
    EXPECT_EQ(At(blackLeft, middle), Colours::Silver);
    EXPECT_EQ(At(blackLeft - 1, middle), Colours::Green);
    EXPECT_EQ(At(5 * c - 1, middle), Colours::Silver);
    EXPECT_EQ(At(5 * c, middle), Colours::Green);
    EXPECT_EQ(At(blackLeft + c / 2, middle), BlackColour);
    // Off the disc's diagonal the box corners stay green.
    EXPECT_EQ(At(whiteLeft, top), Colours::Green);
}

TEST_P(BoardImage, ErasingAnEmptiedSquareLeavesTheGridLines)
{
    const int c = C();
    board.PaintBoard(view, Black);
    board.DrawSquare(4, 4, true, EmptyCell, Black);
    for (int y = 3 * c + 2; y < 4 * c; ++y) {
        for (int x = 3 * c + 2; x < 4 * c; ++x) {
            ASSERT_EQ(At(x, y), Colours::Green) << x << "," << y;
        }
    }
    EXPECT_EQ(At(3 * c + 1, 3 * c + c / 2), BlackColour);
    EXPECT_EQ(At(3 * c + c / 2, 3 * c + 1), BlackColour);
    // Without erasing an empty square draws nothing.
    board.DrawSquare(5, 4, false, EmptyCell, Black);
    EXPECT_EQ(At(4 * c + c / 2, 3 * c + c / 2), BlackColour);
}

TEST_P(BoardImage, LegalMarksAreFiveByFiveDotsInTheMiddleOfTheSquare)
{
    const int c = C();
    board.PaintBoard(view, Black);
    for (const int side : { Black, White }) {
        board.DrawSquare(3, 4, true, LegalMark, side); // c4
        const int px = 2 * c + c / 2;
        const int py = 3 * c + c / 2;
        EXPECT_EQ(At(px + 1, py + 1), side == Black ? BlackColour : WhiteColour);
        EXPECT_EQ(At(px - 1, py + 1), Colours::Lime);
        EXPECT_EQ(At(px + 3, py + 1), Colours::Lime);
        EXPECT_EQ(At(px + 1, py - 1), Colours::Lime);
        EXPECT_EQ(At(px + 1, py + 3), Colours::Lime);
        EXPECT_EQ(At(px - 2, py + 1), Colours::Green);
        EXPECT_EQ(At(px + 4, py + 1), Colours::Green);
        EXPECT_EQ(At(px + 1, py - 2), Colours::Green);
        EXPECT_EQ(At(px + 1, py + 4), Colours::Green);
    }
}

TEST_P(BoardImage, RedrawingPutsTheStarPointsBackOverErasedSquares)
{
    const TStarRow& row = GetParam();
    board.PaintBoard(view, Black);
    TBoard edited = view;
    board.RedrawDiscs(edited, Black);
    const int middle = (row.nearFrom + row.nearTo) / 2;
    EXPECT_EQ(At(middle, row.nearTo - 1), BlackColour);
    EXPECT_EQ(At(row.nearTo - 1, middle), BlackColour);
}

std::string SizeName(const ::testing::TestParamInfo<TStarRow>& param)
{
    return "Size" + std::to_string(param.param.cellSize);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, BoardImage, ::testing::ValuesIn(StarTable), SizeName);

TEST(SquareAt, MapsPixelsToSquaresUpToTheLastColumnAndRow)
{
    for (const int c : { 18, 30, 52 }) {
        EXPECT_EQ(SquareAt(c, 0, 0), (TSquare { 1, 1 })) << c;
        EXPECT_EQ(SquareAt(c, c - 1, c - 1), (TSquare { 1, 1 })) << c;
        EXPECT_EQ(SquareAt(c, c, c), (TSquare { 2, 2 })) << c;
        EXPECT_EQ(SquareAt(c, 8 * c - 1, 8 * c - 1), (TSquare { 8, 8 })) << c;
        EXPECT_EQ(SquareAt(c, 8 * c, 5).x, 0) << c;
        EXPECT_EQ(SquareAt(c, 5, 8 * c).x, 0) << c;
        EXPECT_EQ(SquareAt(c, -1, 5).x, 0) << c;
    }
}

TEST(DebugValue, IsWhiteTextOnGreenAtTheSquaresTopLeft)
{
    TestApplication();
    TBoardImage board(30);
    TBoard view = InitialBoard();
    board.PaintBoard(view, Black);
    const QRect box = board.DrawDebugValue(4, 4, -88, ArialPixels(12)); // over the White disc of d4
    EXPECT_EQ(box.topLeft(), QPoint(3 * 30 + 2, 3 * 30 + 2));
    int white = 0;
    int other = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor colour = board.Image().pixelColor(x, y);
            white += colour == WhiteColour ? 1 : 0;
            other += colour != WhiteColour && colour != Colours::Green ? 1 : 0;
        }
    }
    EXPECT_GT(white, 10);
    EXPECT_EQ(other, 0);
    EXPECT_EQ(board.Image().pixelColor(box.left(), box.top()), Colours::Green);
}

} // namespace
