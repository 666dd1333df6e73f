#include "Bitboard.h"

#include <array>
#include <bit>

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

// Column a of `bits` as eight bits (in some fixed order; the edge count is the same read either way).
inline unsigned ColumnA(TBits bits)
{
    return static_cast<unsigned>(((bits & 0x0101010101010101ULL) * 0x0102040810204080ULL) >> 56);
}

} // namespace

TBitBoard ToBitBoard(const TBoard& board)
{
    TBitBoard bits;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            const int cell = Cell(board, x, y);
            if (cell == Black) {
                bits.black |= SquareBit(BitIndex(x, y));
            } else if (cell == White) {
                bits.white |= SquareBit(BitIndex(x, y));
            }
        }
    }
    return bits;
}

TBoard ToTBoard(const TBitBoard& bits)
{
    TBoard board;
    board.fill(BorderCell);
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            const TBits bit = SquareBit(BitIndex(x, y));
            Cell(board, x, y) = (bits.black & bit) ? Black : (bits.white & bit) ? White : EmptyCell;
        }
    }
    return board;
}

int StableEdgeCount(TBits discs)
{
    return LineEdgeCounts[discs & 0xFFU] + LineEdgeCounts[discs >> 56] + LineEdgeCounts[ColumnA(discs)]
        + LineEdgeCounts[ColumnA(discs >> 7)];
}
