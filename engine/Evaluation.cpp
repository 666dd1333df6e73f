#include "Evaluation.h"

namespace {

struct TEdgeWalks {
    int corner;
    int firstStep;
    int secondStep;
};

// The corners in the order their walks are made, with the cell steps of the two edges leaving each.
constexpr std::array<TEdgeWalks, 4> CornerWalks { {
    { SquareIndex(1, 1), 10, 1 },
    { SquareIndex(1, 8), -10, 1 },
    { SquareIndex(8, 8), -10, -1 },
    { SquareIndex(8, 1), 10, -1 },
} };

// Squares of `colour` from the one next to `corner` onwards; the border ends every walk.
int WalkEdge(const TBoard& board, int corner, int step, int colour)
{
    int count = 0;
    for (int index = corner + step; board[index] == colour; index += step) {
        ++count;
    }
    return count;
}

} // namespace

int StableEdgeCount(const TBoard& board, int colour)
{
    int count = 0;
    for (const TEdgeWalks& walks : CornerWalks) {
        if (board[walks.corner] == colour) {
            count += WalkEdge(board, walks.corner, walks.firstStep, colour)
                + WalkEdge(board, walks.corner, walks.secondStep, colour);
        }
    }
    return count;
}

int StableEdgeBalance(const TBoard& board)
{
    return StableEdgeCount(board, Black) - StableEdgeCount(board, White);
}

int MobilityDifference(const TBoard& board, const TSquareList& list)
{
    return CountMobility(board, list, Black) - CountMobility(board, list, White);
}

int GradedMeasure(const TBoard& board, const TSquareList& list)
{
    return 4 * MobilityDifference(board, list) + 20 * StableEdgeBalance(board);
}
