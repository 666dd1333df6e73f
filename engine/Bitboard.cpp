#include "Bitboard.h"

#include <array>

namespace {

constexpr TBits NotColumnA = 0xFEFEFEFEFEFEFEFEULL;
constexpr TBits NotColumnH = 0x7F7F7F7F7F7F7F7FULL;

// One step of every bit in direction `direction`, dropping the bits that would wrap round an edge.
// Directions: 0 east, 1 west, 2 north (y + 1), 3 south, 4 north-east, 5 north-west, 6 south-east,
// 7 south-west.
template <int direction> constexpr TBits Step(TBits bits)
{
    if constexpr (direction == 0) {
        return (bits << 1) & NotColumnA;
    } else if constexpr (direction == 1) {
        return (bits >> 1) & NotColumnH;
    } else if constexpr (direction == 2) {
        return bits << 8;
    } else if constexpr (direction == 3) {
        return bits >> 8;
    } else if constexpr (direction == 4) {
        return (bits << 9) & NotColumnA;
    } else if constexpr (direction == 5) {
        return (bits << 7) & NotColumnH;
    } else if constexpr (direction == 6) {
        return (bits >> 7) & NotColumnA;
    } else {
        return (bits >> 9) & NotColumnH;
    }
}

// The empty squares from which a line of `opponent` discs in `direction` ends at one of `own`.
template <int direction> inline TBits MovesInDirection(TBits own, TBits opponent, TBits empty)
{
    TBits run = Step<direction>(own) & opponent;
    run |= Step<direction>(run) & opponent;
    run |= Step<direction>(run) & opponent;
    run |= Step<direction>(run) & opponent;
    run |= Step<direction>(run) & opponent;
    run |= Step<direction>(run) & opponent;
    return Step<direction>(run) & empty;
}

template <int direction> inline TBits FlipsInDirection(TBits own, TBits opponent, TBits start)
{
    TBits flips = 0;
    TBits next = Step<direction>(start);
    while (next & opponent) {
        flips |= next;
        next = Step<direction>(next);
    }
    return (next & own) ? flips : 0;
}

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

TBits MoveMask(TBits own, TBits opponent)
{
    const TBits empty = ~(own | opponent);
    return MovesInDirection<0>(own, opponent, empty) | MovesInDirection<1>(own, opponent, empty)
        | MovesInDirection<2>(own, opponent, empty) | MovesInDirection<3>(own, opponent, empty)
        | MovesInDirection<4>(own, opponent, empty) | MovesInDirection<5>(own, opponent, empty)
        | MovesInDirection<6>(own, opponent, empty) | MovesInDirection<7>(own, opponent, empty);
}

TBits FlipMask(TBits own, TBits opponent, int index)
{
    const TBits start = SquareBit(index);
    return FlipsInDirection<0>(own, opponent, start) | FlipsInDirection<1>(own, opponent, start)
        | FlipsInDirection<2>(own, opponent, start) | FlipsInDirection<3>(own, opponent, start)
        | FlipsInDirection<4>(own, opponent, start) | FlipsInDirection<5>(own, opponent, start)
        | FlipsInDirection<6>(own, opponent, start) | FlipsInDirection<7>(own, opponent, start);
}

int StableEdgeCount(TBits discs)
{
    return LineEdgeCounts[discs & 0xFFU] + LineEdgeCounts[discs >> 56] + LineEdgeCounts[ColumnA(discs)]
        + LineEdgeCounts[ColumnA(discs >> 7)];
}
