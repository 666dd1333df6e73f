#include "analysis/core/SheetLayout.h"

#include "TestRecords.h"
#include "analysis/core/AnalysisGame.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;

using testrecords::RecordOfMoves;

namespace {

// The moves of a random game of 60 moves without a pass.
std::vector<int> SixtyMovesWithoutPass()
{
    for (unsigned seed = 1; seed < 500; ++seed) {
        std::vector<int> moves = testrecords::RandomGameMoves(seed);
        if (moves.size() == 60 && std::find(moves.begin(), moves.end(), 0) == moves.end()) {
            return moves;
        }
    }
    return {};
}

TBoard BoardWithDiscs(int black, int white)
{
    TBoard board = InitialBoard();
    int placed = 0;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            Cell(board, x, y) = static_cast<std::int16_t>(placed < black ? Black
                    : placed < black + white                             ? White
                                                                         : 0);
            ++placed;
        }
    }
    return board;
}

} // namespace

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(5, 2), 2);
    EXPECT_EQ(RoundHalfEven(7, 2), 4);
    EXPECT_EQ(RoundHalfEven(1425, 10), 142);
    EXPECT_EQ(RoundHalfEven(1435, 10), 144);
    EXPECT_EQ(RoundHalfEven(1426, 10), 143);
    EXPECT_EQ(RoundHalfEven(1424, 10), 142);
    EXPECT_EQ(RoundHalfEven(-5, 2), -2);
    EXPECT_EQ(RoundHalfEven(-7, 2), -4);
    EXPECT_EQ(RoundHalfEven(0, 3), 0);
}

TEST(PrintUnit, IsTheSmallerOfWidthBy72AndHeightBy95)
{
    EXPECT_EQ(PrintUnit(4760, 6779), 66);
    EXPECT_EQ(PrintUnit(7200, 1900), 20);
    EXPECT_EQ(PrintUnit(10, 10), 1);
}

TEST(SheetLayout, PlacesTheLargeDiagramInUnits)
{
    const TSheetLayout layout(10);
    EXPECT_EQ(layout.LargeVerticalLine(0).from, (TPixelPoint { 10, 20 }));
    EXPECT_EQ(layout.LargeVerticalLine(8).to, (TPixelPoint { 170, 181 }));
    EXPECT_EQ(layout.LargeHorizontalLine(8).from, (TPixelPoint { 10, 180 }));
    EXPECT_EQ(layout.StarPoint(0), (TPixelRect { 49, 59, 53, 63 }));
    EXPECT_EQ(layout.StarPoint(3), (TPixelRect { 129, 139, 133, 143 }));
    EXPECT_EQ(layout.LargeDisc(1, 1), (TPixelRect { 11, 21, 29, 39 }));
    EXPECT_EQ(layout.LargeDisc(8, 8), (TPixelRect { 151, 161, 169, 179 }));
    EXPECT_EQ(layout.ColumnLetterOrigin(1), (TPixelPoint { 16, 0 }));
    EXPECT_EQ(layout.RowDigitOrigin(8), (TPixelPoint { 0, 163 }));
    EXPECT_EQ(layout.MemoLineOrigin(0), (TPixelPoint { 190, 20 }));
    EXPECT_EQ(layout.MemoLineOrigin(3), (TPixelPoint { 190, 65 }));
    EXPECT_EQ(layout.CreditOrigin(), (TPixelPoint { 430, 160 }));
    EXPECT_EQ(layout.MemoFontHeight(), 14);
    EXPECT_EQ(layout.ArialFontHeight(), 12);
    const TSheetLayout fine(20);
    EXPECT_EQ(fine.LargeNumberOrigin(1, 1), (TPixelPoint { 28, 48 }));
}

TEST(SheetLayout, OddUnitsRoundTheHalfRowsOfDiagramsToEven)
{
    const TSheetLayout five(5);
    EXPECT_EQ(five.SlotOrigin(0), (TPixelPoint { 0, 95 }));
    EXPECT_EQ(five.SlotOrigin(9), (TPixelPoint { 45, 142 })) << "142.5 rounds down to the even 142";
    const TSheetLayout seven(7);
    EXPECT_EQ(seven.SlotOrigin(8), (TPixelPoint { 0, 200 })) << "199.5 rounds up to the even 200";
    EXPECT_EQ(seven.SlotOrigin(63), (TPixelPoint { 441, 598 }));
    EXPECT_EQ(seven.MemoFontHeight(), 10) << "9.8";
    EXPECT_EQ(five.MemoFontHeight(), 7);
    EXPECT_EQ(five.ArialFontHeight(), 6);
}

TEST(SheetLayout, PlacesSmallDiscsMarksAndLabelsInTheSlot)
{
    const TSheetLayout layout(10);
    const TPixelPoint origin = layout.SlotOrigin(10);
    EXPECT_EQ(origin, (TPixelPoint { 180, 285 }));
    EXPECT_EQ(layout.SmallFrame(origin), (TPixelRect { 180, 285, 261, 366 }));
    EXPECT_EQ(layout.SmallVerticalLine(origin, 1).from, (TPixelPoint { 190, 285 }));
    EXPECT_EQ(layout.SmallHorizontalLine(origin, 7).to, (TPixelPoint { 261, 355 }));
    EXPECT_EQ(layout.SmallDisc(origin, 1, 1), (TPixelRect { 181, 286, 189, 294 }));
    EXPECT_EQ(layout.NextMoveBox(origin, 6, 5), (TPixelRect { 234, 329, 236, 331 }));
    EXPECT_EQ(layout.LabelOrigin(origin), (TPixelPoint { 200, 366 }));
}

TEST(SmallDiagrams, SixtyMovesGiveSixtyOneDiagramsEndingWithTheResult)
{
    const std::vector<int> moves = SixtyMovesWithoutPass();
    ASSERT_EQ(moves.size(), 60U);
    const TGameRecord record = RecordOfMoves(moves);
    const std::vector<TSmallDiagram> diagrams = SmallDiagrams(record);
    ASSERT_EQ(diagrams.size(), 61U);
    EXPECT_EQ(diagrams[0].label, "B : " + MoveCodeName(moves[0]));
    EXPECT_EQ(diagrams[0].board, InitialBoard());
    EXPECT_EQ(diagrams[1].label, "W : " + MoveCodeName(moves[1]));
    EXPECT_EQ(diagrams[59].nextMove, moves[59]);
    EXPECT_EQ(diagrams[60].nextMove, 0);
    EXPECT_EQ(diagrams[60].label, ResultLabel(UnpackPosition(record, 60)));
    EXPECT_EQ(diagrams[60].label.substr(0, 1) == "D" || diagrams[60].label[1] == ' ', true);
}

TEST(SmallDiagrams, PassPositionsGetNoDiagram)
{
    const TGameRecord record = RecordOfMoves({ 65, 0, 33 });
    const std::vector<TSmallDiagram> diagrams = SmallDiagrams(record);
    ASSERT_EQ(diagrams.size(), 3U);
    EXPECT_EQ(diagrams[0].label, "B : f5");
    EXPECT_EQ(diagrams[1].index, 2);
    EXPECT_EQ(diagrams[1].label, "B : c3") << "two neighbouring diagrams for the same colour";
    EXPECT_EQ(diagrams[2].index, 3);
}

TEST(SmallDiagrams, StartOnlyRecordIsOneDrawnDiagram)
{
    const std::vector<TSmallDiagram> diagrams = SmallDiagrams(StartOnlyRecord());
    ASSERT_EQ(diagrams.size(), 1U);
    EXPECT_EQ(diagrams[0].label, "Draw");
}

TEST(ResultLabel, NamesTheWinnerAndTheMargin)
{
    EXPECT_EQ(ResultLabel(BoardWithDiscs(32, 32)), "Draw");
    EXPECT_EQ(ResultLabel(BoardWithDiscs(27, 37)), "W +10");
    EXPECT_EQ(ResultLabel(BoardWithDiscs(40, 20)), "B +20");
    EXPECT_EQ(ResultLabel(BoardWithDiscs(0, 5)), "W +5");
}
