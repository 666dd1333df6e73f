#include "analysis/core/BestMove.h"

#include "support/RandomGames.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kalvoro::engine;
using namespace kalvoro::analysis;

namespace {

// The exact final disc difference (Black minus White) by full minimax, without any bound.
int ExactValue(const TBoard& board, int colour, bool passed)
{
    bool moved = false;
    int best = colour == Black ? -100 : 100;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            TBoard after;
            if (Cell(board, x, y) != EmptyCell || !MakeMove(board, after, x, y, colour)) {
                continue;
            }
            moved = true;
            const int v = ExactValue(after, -colour, false);
            best = colour == Black ? std::max(best, v) : std::min(best, v);
        }
    }
    if (moved) {
        return best;
    }
    return passed ? DiscDifference(board) : ExactValue(board, -colour, true);
}

// The bounded search written plainly from its rules: children get ChildList(list, k) and the parent's best so
// far; the last empty square is filled by whoever can; a pass hands on an unbounded search.
int PlainBounded(const TBoard& board, const TSquareList& list, int colour, int bound, bool passed)
{
    if (list.count == 1) {
        TBoard after;
        const TSquare s = list.squares[0];
        if (MakeMove(board, after, s.x, s.y, colour) || MakeMove(board, after, s.x, s.y, -colour)) {
            return DiscDifference(after);
        }
        return DiscDifference(board);
    }
    int value = colour == Black ? -9999 : 9999;
    bool moved = false;
    for (int k = 0; k < list.count; ++k) {
        TBoard after;
        if (!MakeMove(board, after, list.squares[k].x, list.squares[k].y, colour)) {
            continue;
        }
        moved = true;
        const int r = PlainBounded(after, ChildList(list, k), -colour, value, false);
        if (colour == Black && r > value) {
            value = r;
            if (value >= bound) {
                return value;
            }
        }
        if (colour == White && r < value) {
            value = r;
            if (value <= bound) {
                return value;
            }
        }
    }
    if (moved) {
        return value;
    }
    return passed ? DiscDifference(board) : PlainBounded(board, list, -colour, colour * -9999, true);
}

// The exact value: by full minimax up to 8 empty squares, beyond that by the plain bounded search with a
// bound that never cuts at the top (itself checked against full minimax on the smaller positions).
int ExactOf(const TBoard& board, int colour)
{
    const TSquareList list = BuildEmptyList(board);
    if (list.count <= 8) {
        return ExactValue(board, colour, false);
    }
    return PlainBounded(board, list, colour, colour * 9999, false);
}

struct TRootMove {
    TSquare square;
    int exact;
    int reported;
};

// Every legal root move in scan order with its exact value and the value the root loop reports for it
// (searched with the best reported value so far as its bound), both from the side to move.
std::vector<TRootMove> RootMoves(const TBoard& board, int colour)
{
    const TSquareList list = BuildEmptyList(board);
    std::vector<TRootMove> moves;
    int best = -32768;
    for (int k = 0; k < list.count; ++k) {
        TBoard after;
        const TSquare s = list.squares[k];
        if (!MakeMove(board, after, s.x, s.y, colour)) {
            continue;
        }
        const int reported = colour * PlainBounded(after, ChildList(list, k), -colour, best * colour, false);
        moves.push_back({ s, colour * ExactOf(after, -colour), reported });
        best = std::max(best, reported);
    }
    return moves;
}

int CountEmpty(const TBoard& board)
{
    return BuildEmptyList(board).count;
}

// Random positions with `minEmpties` to `maxEmpties` empty squares in which the side to move can move.
std::vector<TRandomPosition> EndgamePositions(unsigned games, int minEmpties, int maxEmpties)
{
    std::vector<TRandomPosition> chosen;
    for (const TRandomPosition& p : ManyRandomPositions(games)) {
        const int empties = CountEmpty(p.board);
        if (empties >= minEmpties && empties <= maxEmpties) {
            chosen.push_back(p);
        }
    }
    return chosen;
}

void CheckAgainstReference(const TRandomPosition& p, int& runnerUpsDiffering)
{
    const TBestMove result = AnalyseBestMove(p.board, p.sideToMove);
    const std::vector<TRootMove> moves = RootMoves(p.board, p.sideToMove);
    if (moves.empty()) {
        EXPECT_FALSE(result.best);
        EXPECT_FALSE(result.runnerUp);
        return;
    }
    int exactBest = -100;
    for (const TRootMove& m : moves) {
        exactBest = std::max(exactBest, m.exact);
    }
    const auto firstBest
        = std::find_if(moves.begin(), moves.end(), [&](const TRootMove& m) { return m.exact == exactBest; });
    ASSERT_TRUE(result.best);
    EXPECT_EQ(result.best->value, exactBest);
    EXPECT_EQ(result.best->square, firstBest->square);
    // The runner-up: the highest reported value among the other moves, the first of them on a tie.
    std::optional<TRootMove> runnerUp;
    int bestSoFar = -32768;
    for (const TRootMove& m : moves) {
        EXPECT_GE(m.reported, m.exact);
        if (m.reported > bestSoFar) {
            EXPECT_EQ(m.reported, m.exact) << "a move that beats the best so far gets its exact value";
        } else {
            EXPECT_LE(m.reported, bestSoFar);
        }
        bestSoFar = std::max(bestSoFar, m.reported);
        if (!(m.square == firstBest->square) && (!runnerUp || m.reported > runnerUp->reported)) {
            runnerUp = m;
        }
    }
    ASSERT_EQ(result.runnerUp.has_value(), runnerUp.has_value());
    if (runnerUp) {
        EXPECT_EQ(result.runnerUp->square, runnerUp->square);
        EXPECT_EQ(result.runnerUp->value, runnerUp->reported);
        runnerUpsDiffering += runnerUp->reported != runnerUp->exact ? 1 : 0;
    }
}

} // namespace

TEST(BestMoveSearch, MatchesThePlainBoundedSearchForEveryBound)
{
    for (const TRandomPosition& p : EndgamePositions(30, 1, 8)) {
        const TSquareList list = BuildEmptyList(p.board);
        for (const int bound : { -9999, -20, -2, 0, 2, 20, 9999 }) {
            ASSERT_EQ(BestMoveSearch(p.board, list, p.sideToMove, bound, false),
                PlainBounded(p.board, list, p.sideToMove, bound, false));
        }
        const int exact = ExactValue(p.board, p.sideToMove, false);
        EXPECT_EQ(BestMoveSearch(p.board, list, p.sideToMove, p.sideToMove * 9999, false), exact);
    }
}

TEST(AnalyseBestMove, BestIsExactAndRunnerUpIsWhereItsSearchStopped)
{
    int positions = 0;
    int runnerUpsDiffering = 0;
    for (const TRandomPosition& p : EndgamePositions(60, 2, 10)) {
        CheckAgainstReference(p, runnerUpsDiffering);
        ++positions;
    }
    EXPECT_GT(positions, 400);
    // The rule matters: on this many positions some runner-up values are cut-off values, not exact ones.
    EXPECT_GT(runnerUpsDiffering, 0);
}

TEST(AnalyseBestMove, SolvesDeeperPositionsExactly)
{
    int count = 0;
    int ignored = 0;
    for (const TRandomPosition& p : EndgamePositions(2, 12, 12)) {
        CheckAgainstReference(p, ignored);
        ++count;
    }
    EXPECT_GE(count, 2);
}

TEST(AnalyseBestMove, TwoEmptiesAreSolvedToTheFinalDifference)
{
    for (const TRandomPosition& p : EndgamePositions(40, 2, 2)) {
        const TBestMove result = AnalyseBestMove(p.board, p.sideToMove);
        if (result.best) {
            EXPECT_EQ(result.best->value, p.sideToMove * ExactValue(p.board, p.sideToMove, false));
        }
    }
}

TEST(AnalyseBestMove, EqualValuesKeepTheFirstMoveAndShowTheOtherAsNext)
{
    int ties = 0;
    for (const TRandomPosition& p : EndgamePositions(80, 3, 8)) {
        const std::vector<TRootMove> moves = RootMoves(p.board, p.sideToMove);
        if (moves.size() < 2) {
            continue;
        }
        int best = -100;
        for (const TRootMove& m : moves) {
            best = std::max(best, m.exact);
        }
        std::vector<TSquare> tied;
        for (const TRootMove& m : moves) {
            if (m.exact == best) {
                tied.push_back(m.square);
            }
        }
        if (tied.size() < 2) {
            continue;
        }
        ++ties;
        const TBestMove result = AnalyseBestMove(p.board, p.sideToMove);
        EXPECT_EQ(result.best->square, tied[0]);
        ASSERT_TRUE(result.runnerUp);
        EXPECT_EQ(result.runnerUp->value, best);
        const TSquare second = result.runnerUp->square;
        EXPECT_TRUE(second.y > tied[0].y || (second.y == tied[0].y && second.x > tied[0].x));
    }
    EXPECT_GT(ties, 10);
}

TEST(AnalyseBestMove, OneLegalMoveHasNoRunnerUpAndNoMoveIsAPass)
{
    bool sawSingle = false;
    bool sawPass = false;
    for (const TRandomPosition& p : EndgamePositions(80, 2, 8)) {
        const std::vector<TRootMove> moves = RootMoves(p.board, p.sideToMove);
        const TBestMove result = AnalyseBestMove(p.board, p.sideToMove);
        if (moves.size() == 1) {
            sawSingle = true;
            EXPECT_TRUE(result.best);
            EXPECT_FALSE(result.runnerUp);
            const auto lines = BestMoveReport(result);
            EXPECT_FALSE(lines[0].empty());
            EXPECT_TRUE(lines[2].empty());
        }
        if (moves.empty()) {
            sawPass = true;
            EXPECT_EQ(BestMoveReport(result), (std::array<std::string, 3> { "Pass", "", "" }));
        }
    }
    EXPECT_TRUE(sawSingle);
    EXPECT_TRUE(sawPass);
}

TEST(BestMoveReport, NamesTheSquaresAndValues)
{
    TBestMove result;
    result.best = TScoredSquare { { 4, 3 }, 16 };
    EXPECT_EQ(BestMoveReport(result), (std::array<std::string, 3> { "d3 is Best.", "Evaluation : 16", "" }));
    result.runnerUp = TScoredSquare { { 3, 4 }, -4 };
    EXPECT_EQ(BestMoveReport(result)[2], "Next : c4 (Ev : -4)");
}

TEST(AnalyseBestMove, ValuesAreSeenFromTheSideToMove)
{
    // Rows 1 to 5 White and rows 6 to 8 Black, with a1 and h8 empty and b1 Black: White to move wins.
    TBoard board = InitialBoard();
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            Cell(board, x, y) = y <= 5 ? White : Black;
        }
    }
    Cell(board, 1, 1) = EmptyCell;
    Cell(board, 2, 1) = Black;
    Cell(board, 8, 8) = EmptyCell;
    const int exact = ExactValue(board, White, false);
    ASSERT_LT(exact, 0);
    const TBestMove result = AnalyseBestMove(board, White);
    ASSERT_TRUE(result.best);
    EXPECT_EQ(result.best->value, -exact);
    EXPECT_EQ(BestMoveReport(result)[1], "Evaluation : " + std::to_string(-exact));
}
