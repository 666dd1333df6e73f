#include "Bitboard.h"

#include <array>
#include <bit>

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

// The squares beyond each square in each direction, nearest first: Rays[square][d] for the directions
// east (x + 1), north (y + 1), north-east, north-west, whose bits rise along the ray, then west, south,
// south-west, south-east, whose bits fall.
constexpr std::array<std::array<TBits, 8>, 64> MakeRays()
{
    constexpr std::array<std::array<int, 2>, 8> steps { { { 1, 0 }, { 0, 1 }, { 1, 1 }, { -1, 1 }, { -1, 0 },
        { 0, -1 }, { -1, -1 }, { 1, -1 } } };
    std::array<std::array<TBits, 8>, 64> rays {};
    for (int square = 0; square < 64; ++square) {
        for (std::size_t d = 0; d < steps.size(); ++d) {
            int x = square % 8 + steps[d][0];
            int y = square / 8 + steps[d][1];
            for (; x >= 0 && x < 8 && y >= 0 && y < 8; x += steps[d][0], y += steps[d][1]) {
                rays[static_cast<std::size_t>(square)][d] |= TBits { 1 } << (y * 8 + x);
            }
        }
    }
    return rays;
}

constexpr std::array<std::array<TBits, 8>, 64> Rays = MakeRays();

// The discs turned along a ray whose bits rise: the run of opponent discs up to the first other square, when
// that square holds an own disc.
inline TBits RisingFlips(TBits own, TBits opponent, TBits ray)
{
    const TBits stops = ray & ~opponent;
    const TBits first = stops & (~stops + 1);
    return (first & own) != 0 ? (first - 1) & ray : 0;
}

// The same along a ray whose bits fall; the first other square is the highest one.
inline TBits FallingFlips(TBits own, TBits opponent, TBits ray)
{
    const TBits first = std::bit_floor(ray & ~opponent);
    return (first & own) != 0 ? ray & ~((first << 1) - 1) : 0;
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
    const std::array<TBits, 8>& rays = Rays[static_cast<std::size_t>(index)];
    return RisingFlips(own, opponent, rays[0]) | RisingFlips(own, opponent, rays[1])
        | RisingFlips(own, opponent, rays[2]) | RisingFlips(own, opponent, rays[3])
        | FallingFlips(own, opponent, rays[4]) | FallingFlips(own, opponent, rays[5])
        | FallingFlips(own, opponent, rays[6]) | FallingFlips(own, opponent, rays[7]);
}

int StableEdgeCount(TBits discs)
{
    return LineEdgeCounts[discs & 0xFFU] + LineEdgeCounts[discs >> 56] + LineEdgeCounts[ColumnA(discs)]
        + LineEdgeCounts[ColumnA(discs >> 7)];
}
