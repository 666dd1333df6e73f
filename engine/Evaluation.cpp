#include "Evaluation.h"

#include <array>

namespace kalvoro::engine {

namespace {

// The stable-edge count of one edge line of eight bits: the run next to each end that holds a disc.
constexpr int LineEdgeCount(unsigned line)
{
    int count = 0;
    if (line & 1U) {
        for (int bit = 1; bit < 8 && (line >> bit & 1U); ++bit) {
            ++count;
        }
    }
    if (line & 0x80U) {
        for (int bit = 6; bit >= 0 && (line >> bit & 1U); --bit) {
            ++count;
        }
    }
    return count;
}

constexpr std::array<std::int8_t, 256> MakeLineEdgeCounts()
{
    std::array<std::int8_t, 256> counts {};
    for (unsigned line = 0; line < 256; ++line) {
        counts[line] = static_cast<std::int8_t>(LineEdgeCount(line));
    }
    return counts;
}

constexpr std::array<std::int8_t, 256> LineEdgeCounts = MakeLineEdgeCounts();

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

int StableEdgeCount(TBits discs)
{
    return LineEdgeCounts[discs & 0xFFU] + LineEdgeCounts[discs >> 56] + LineEdgeCounts[ColumnLine(discs, 0)]
        + LineEdgeCounts[ColumnLine(discs, 7)];
}

} // namespace kalvoro::engine
