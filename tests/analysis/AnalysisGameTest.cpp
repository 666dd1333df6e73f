#include "analysis/core/AnalysisGame.h"

#include "TestRecords.h"

#include <gtest/gtest.h>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;

using testrecords::RecordOfMoves;

namespace {

// f5 d6 c3, a pass by White, then Black's first legal move in scan order.
TGameRecord GameWithPass(int& blackFourth)
{
    TGameRecord record = RecordOfMoves({ 65, 46, 33, 0 });
    const TBoard board = UnpackPosition(record, 4);
    const TSquareList empties = BuildEmptyList(board);
    for (int k = 0; k < empties.count; ++k) {
        if (CanFlip(board, empties.squares[k].x, empties.squares[k].y, Black)) {
            blackFourth = MoveCode(empties.squares[k].x, empties.squares[k].y);
            break;
        }
    }
    return RecordOfMoves({ 65, 46, 33, 0, blackFourth });
}

} // namespace

TEST(MoveListLines, StartOnlyRecordHoldsStartAlone)
{
    EXPECT_EQ(MoveListLines(StartOnlyRecord()), std::vector<std::string> { "[Start]" });
}

TEST(MoveListLines, NumbersRealMovesAndRepeatsTheNumberOnAPass)
{
    int fourth = 0;
    const TGameRecord record = GameWithPass(fourth);
    const std::vector<std::string> expected { "[Start]", "[1] B  : f5", "[2] W : d6", "[3] B  : c3",
        "[3] W : Pass", "[4] B  : " + MoveCodeName(fourth) };
    EXPECT_EQ(MoveListLines(record), expected);
}

TEST(MoveListLines, IgnoresTheStoredMoveOfTheLastLine)
{
    TGameRecord record = RecordOfMoves({ 65 });
    record.PositionRows.back()[9] = 46;
    EXPECT_EQ(MoveListLines(record), (std::vector<std::string> { "[Start]", "[1] B  : f5" }));
}

TEST(BuildMoveNumberBoard, MarksEveryMoveByItsNumberAndColour)
{
    int fourth = 0;
    const TBoard board = BuildMoveNumberBoard(GameWithPass(fourth));
    EXPECT_EQ(Cell(board, 6, 5), 1001);
    EXPECT_EQ(Cell(board, 4, 6), 2);
    EXPECT_EQ(Cell(board, 3, 3), 1003);
    const TSquare square = SquareOfMoveCode(fourth);
    EXPECT_EQ(Cell(board, square.x, square.y), 1004);
    EXPECT_EQ(Cell(board, 4, 4), WhiteStartDisc);
    EXPECT_EQ(Cell(board, 5, 5), WhiteStartDisc);
    EXPECT_EQ(Cell(board, 5, 4), BlackStartDisc);
    EXPECT_EQ(Cell(board, 4, 5), BlackStartDisc);
    int numbered = 0;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            numbered += Cell(board, x, y) != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(numbered, 8);
    EXPECT_EQ(board[0], BorderCell);
    EXPECT_EQ(board[99], BorderCell);
    EXPECT_EQ(board[SquareIndex(9, 4)], BorderCell);
}

TEST(BuildMoveNumberBoard, StartingDiscsWinOverMovesStoredOnThemAndBadCodesAreSkipped)
{
    TGameRecord record = RecordOfMoves({ 65, 46 });
    record.PositionRows[0][9] = 44;
    record.PositionRows[1][9] = 500;
    const TBoard board = BuildMoveNumberBoard(record);
    EXPECT_EQ(Cell(board, 4, 4), WhiteStartDisc);
    EXPECT_EQ(Cell(board, 4, 6), 0);
    EXPECT_EQ(MoveListLines(record)[2], "[2] W : ??");
}

TEST(UnpackPosition, ReadsBackEveryPositionOfRandomGames)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const std::vector<int> moves = testrecords::RandomGameMoves(seed);
        const TGameRecord record = RecordOfMoves(moves);
        TBoard board = InitialBoard();
        int side = Black;
        for (int i = 0; i <= record.LastIndex; ++i) {
            const TBoard shown = UnpackPosition(record, i);
            ASSERT_EQ(shown, board) << "seed " << seed << " position " << i;
            EXPECT_EQ(SideToMoveAt(i), side);
            if (i < record.LastIndex && moves[static_cast<std::size_t>(i)] != 0) {
                TBoard next;
                const TSquare square = SquareOfMoveCode(moves[static_cast<std::size_t>(i)]);
                MakeMove(board, next, square.x, square.y, side);
                board = next;
            }
            side = -side;
        }
    }
}

TEST(UnpackPosition, ShowsTheUnusedPairAsEmpty)
{
    TGameRecord record = StartOnlyRecord();
    record.PositionRows[0][1] = 0xFFFF;
    const TBoard board = UnpackPosition(record, 0);
    for (int x = 1; x <= 8; ++x) {
        EXPECT_EQ(Cell(board, x, 1), EmptyCell);
    }
}

TEST(PositionMarks, LastMoveDotAndNextMoveMarkFollowTheStoredMoves)
{
    int fourth = 0;
    const TGameRecord record = GameWithPass(fourth);
    EXPECT_EQ(LastMoveShown(record, 0), 0);
    EXPECT_EQ(NextMoveShown(record, 0), 65);
    EXPECT_EQ(LastMoveShown(record, 1), 65);
    EXPECT_EQ(LastMoveShown(record, 4), 0) << "no dot after a pass";
    EXPECT_EQ(NextMoveShown(record, 3), 0) << "no mark where the side passes";
    EXPECT_EQ(NextMoveShown(record, 4), fourth);
    TGameRecord withStaleMove = record;
    withStaleMove.PositionRows.back()[9] = 11;
    EXPECT_EQ(NextMoveShown(withStaleMove, withStaleMove.LastIndex), 0)
        << "the last position has no next move";
}

TEST(HintAvailable, NeedsTwoToFourteenEmptiesAndAStoredMove)
{
    // A long random game passes through every number of empties from 59 down to the end.
    const std::vector<int> moves = testrecords::RandomGameMoves(7);
    TGameRecord record = RecordOfMoves(moves);
    record.PositionRows.back()[9] = 0;
    bool sawTwo = false;
    bool sawFifteen = false;
    for (int i = 0; i <= record.LastIndex; ++i) {
        const int empties = CountEmpties(UnpackPosition(record, i));
        const bool stored = record.PositionRows[static_cast<std::size_t>(i)][9] != 0;
        if (empties == 15 || empties == 1 || empties == 0 || !stored) {
            EXPECT_FALSE(HintAvailable(record, i)) << "position " << i;
        }
        if ((empties == 2 || empties == 14) && stored) {
            EXPECT_TRUE(HintAvailable(record, i)) << "position " << i;
        }
        sawTwo = sawTwo || empties == 2;
        sawFifteen = sawFifteen || empties == 15;
    }
    EXPECT_TRUE(sawTwo && sawFifteen);
}

TEST(HintAvailable, AtTheLastPositionDependsOnTheStoredWord)
{
    TGameRecord record = RecordOfMoves(testrecords::RandomGameMoves(3, 50));
    ASSERT_EQ(CountEmpties(UnpackPosition(record, record.LastIndex)), 10);
    EXPECT_FALSE(HintAvailable(record, record.LastIndex));
    record.PositionRows.back()[9] = 11;
    EXPECT_TRUE(HintAvailable(record, record.LastIndex));
}
