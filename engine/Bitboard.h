// The board as a pair of 64-bit masks, for the searches' inner loops.
//
// Bit (y - 1) * 8 + (x - 1) stands for square (x, y): a1 is bit 0, h1 bit 7, a8 bit 56. Move masks are built
// with a few shift-and-mask passes per line and counted with popcount; the discs a move turns come from a
// separate function walking the eight lines from the move's square. Where the processor has AVX2 both work
// on four lines at once, one per vector lane. These follow exactly the rules of Board.h, which the tests
// check square for square.
#pragma once

#include "Board.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__AVX2__)
#include <immintrin.h>
#endif

namespace kalvoro::engine {

using TBits = std::uint64_t;

// The discs of both colours.
struct TBitBoard {
    TBits black = 0;
    TBits white = 0;
    friend bool operator==(const TBitBoard&, const TBitBoard&) = default;
};

constexpr int BitIndex(int x, int y)
{
    return (y - 1) * 8 + (x - 1);
}
constexpr TBits SquareBit(int index)
{
    return TBits { 1 } << index;
}
constexpr int BitX(int index)
{
    return index % 8 + 1;
}
constexpr int BitY(int index)
{
    return index / 8 + 1;
}

inline int PopCount(TBits bits)
{
    return std::popcount(bits);
}

TBitBoard ToBitBoard(const TBoard& board);
TBoard ToTBoard(const TBitBoard& bits);

inline TBits OwnDiscs(const TBitBoard& board, int colour)
{
    return colour == Black ? board.black : board.white;
}
inline TBits EmptySquares(const TBitBoard& board)
{
    return ~(board.black | board.white);
}
inline int DiscDifference(const TBitBoard& board)
{
    return PopCount(board.black) - PopCount(board.white);
}

// Masks of the board's outer lines.
constexpr TBits ColumnA = 0x0101010101010101ULL;
constexpr TBits ColumnH = 0x8080808080808080ULL;
constexpr TBits Row1 = 0x00000000000000FFULL;
constexpr TBits Row8 = 0xFF00000000000000ULL;

// Column x (0 for column a) of `bits` as eight bits, row 1 in bit 0: the column's bits gather into the top
// byte when multiplied by the usual magic number.
inline unsigned ColumnLine(TBits bits, int x)
{
    return static_cast<unsigned>((((bits >> x) & ColumnA) * 0x0102040810204080ULL) >> 56);
}

// The diagonals of one direction: `step` 9 gives the 15 lines running a1-h8 ways, indexed x - y + 7; `step`
// 7 the 15 running h1-a8 ways, indexed x + y (x and y counted from 0).
constexpr std::array<TBits, 15> MakeDiagonals(int step)
{
    std::array<TBits, 15> lines {};
    for (int square = 0; square < 64; ++square) {
        const int x = square % 8;
        const int y = square / 8;
        const int line = step == 9 ? x - y + 7 : x + y;
        lines[static_cast<std::size_t>(line)] |= TBits { 1 } << square;
    }
    return lines;
}

inline constexpr std::array<TBits, 15> RisingDiagonals = MakeDiagonals(9);
inline constexpr std::array<TBits, 15> FallingDiagonals = MakeDiagonals(7);

// The squares next to each square.
constexpr std::array<TBits, 64> MakeNeighbours()
{
    std::array<TBits, 64> masks {};
    for (int square = 0; square < 64; ++square) {
        const int x = square % 8;
        const int y = square / 8;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const bool inside = x + dx >= 0 && x + dx < 8 && y + dy >= 0 && y + dy < 8;
                if ((dx != 0 || dy != 0) && inside) {
                    masks[static_cast<std::size_t>(square)] |= TBits { 1 } << ((y + dy) * 8 + x + dx);
                }
            }
        }
    }
    return masks;
}

inline constexpr std::array<TBits, 64> Neighbours = MakeNeighbours();

namespace bitboard_detail {

// Opponent discs that can lie inside a run along a row or a diagonal: a run never wraps round an edge.
constexpr TBits InnerColumns = ~(ColumnA | ColumnH);

// The empty squares at the end of a run of `runs` discs that starts next to an own disc, both ways along
// one shift. Runs are grown one step, then doubled twice, which covers the six discs a run can have.
template <int shift> inline TBits MovesAlong(TBits own, TBits runs, TBits empty)
{
    TBits up = runs & (own << shift);
    up |= runs & (up << shift);
    const TBits pairsUp = runs & (runs << shift);
    up |= pairsUp & (up << (2 * shift));
    up |= pairsUp & (up << (2 * shift));
    TBits down = runs & (own >> shift);
    down |= runs & (down >> shift);
    const TBits pairsDown = runs & (runs >> shift);
    down |= pairsDown & (down >> (2 * shift));
    down |= pairsDown & (down >> (2 * shift));
    return ((up << shift) | (down >> shift)) & empty;
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

// Aligned so that each square's eight rays fill one cache line.
alignas(64) inline constexpr std::array<std::array<TBits, 8>, 64> Rays = MakeRays();

// The discs turned along a ray whose bits rise: the run of opponent discs up to the first other square, when
// that square holds an own disc. Written without branches: which rays turn discs is as good as random, and
// mispredicted branches would cost more than the few extra operations.
inline TBits RisingFlips(TBits own, TBits opponent, TBits ray)
{
    const TBits stops = ray & ~opponent;
    const TBits outflank = stops & (~stops + 1) & own;
    return (outflank - static_cast<TBits>(outflank != 0)) & ray;
}

// The same along a ray whose bits fall; the first other square is the highest one. With no other square on
// the ray, bit 0 stands in for it: it is then an opponent's disc or off the ray, and turns nothing.
inline TBits FallingFlips(TBits own, TBits opponent, TBits ray)
{
    const TBits stops = ray & ~opponent;
    const TBits outflank = (TBits { 1 } << 63 >> std::countl_zero(stops | 1)) & own & ray;
    return ray & (0 - (outflank << 1));
}

// LineFlips[p][line]: the discs turned along one line of eight squares by a disc placed at position p, when
// `line` marks the mover's discs and every other square of the line holds an opponent's disc. Squares beyond
// a short diagonal read as opponent discs, which turn nothing since no mover's disc lies past them.
constexpr std::array<std::array<std::int8_t, 256>, 8> MakeLineFlips()
{
    std::array<std::array<std::int8_t, 256>, 8> table {};
    for (int p = 0; p < 8; ++p) {
        for (unsigned line = 0; line < 256; ++line) {
            int flips = 0;
            for (const int step : { 1, -1 }) {
                int run = 0;
                int q = p + step;
                for (; q >= 0 && q < 8 && !(line >> q & 1U); q += step) {
                    ++run;
                }
                flips += q >= 0 && q < 8 ? run : 0;
            }
            table[static_cast<std::size_t>(p)][line] = static_cast<std::int8_t>(flips);
        }
    }
    return table;
}

inline constexpr std::array<std::array<std::int8_t, 256>, 8> LineFlips = MakeLineFlips();

// The a1-h8 and the h1-a8 diagonal through each square.
constexpr std::array<std::array<TBits, 2>, 64> MakeSquareDiagonals()
{
    std::array<std::array<TBits, 2>, 64> diagonals {};
    for (int square = 0; square < 64; ++square) {
        const int x = square % 8;
        const int y = square / 8;
        const auto rising = static_cast<std::size_t>(x) + 7 - static_cast<std::size_t>(y);
        const auto falling = static_cast<std::size_t>(x) + static_cast<std::size_t>(y);
        diagonals[static_cast<std::size_t>(square)] = { RisingDiagonals[rising], FallingDiagonals[falling] };
    }
    return diagonals;
}

inline constexpr std::array<std::array<TBits, 2>, 64> SquareDiagonals = MakeSquareDiagonals();

} // namespace bitboard_detail

// How many discs a move on `square` turns when it is the only empty square; `own` are the mover's discs.
// With every other square filled, the four lines through the square settle it from the mover's discs alone.
// A diagonal's bits gather into the top byte by column when multiplied by column a's mask.
inline int LastSquareFlips(TBits own, int square)
{
    using namespace bitboard_detail;
    const int x = square & 7;
    const int y = square >> 3;
    const auto& diagonals = SquareDiagonals[static_cast<std::size_t>(square)];
    const unsigned row = static_cast<unsigned>(own >> (8 * y)) & 0xFFU;
    const unsigned column = ColumnLine(own, x);
    const unsigned rising = static_cast<unsigned>(((own & diagonals[0]) * ColumnA) >> 56);
    const unsigned falling = static_cast<unsigned>(((own & diagonals[1]) * ColumnA) >> 56);
    return LineFlips[static_cast<std::size_t>(x)][row] + LineFlips[static_cast<std::size_t>(y)][column]
        + LineFlips[static_cast<std::size_t>(x)][rising] + LineFlips[static_cast<std::size_t>(x)][falling];
}

// The final score, from the side to move's view, with `square` the only empty square: the side to move takes
// it when it can, else its opponent, else it stays empty. A move there adds itself and twice the discs it
// turns to its side's difference.
inline int LastSquareScore(TBits own, TBits opponent, int square)
{
    // Both sides' discs fill the other 63 squares.
    const int score = 2 * PopCount(own) - 63;
    const int ownFlips = LastSquareFlips(own, square);
    const int opponentFlips = LastSquareFlips(opponent, square);
    const int opponentScore = opponentFlips != 0 ? score - 2 * opponentFlips - 1 : score;
    return ownFlips != 0 ? score + 2 * ownFlips + 1 : opponentScore;
}

// LastSquareScore counting the opponent's turned discs only when the side to move cannot take the square, for
// the list-order solver, whose last squares are mostly taken by the side to move.
inline int LastSquareScoreOwnFirst(TBits own, int square)
{
    const int score = 2 * PopCount(own) - 63;
    if (const int ownFlips = LastSquareFlips(own, square)) {
        return score + 2 * ownFlips + 1;
    }
    const TBits opponent = ~own & ~SquareBit(square);
    const int opponentFlips = LastSquareFlips(opponent, square);
    return opponentFlips != 0 ? score - 2 * opponentFlips - 1 : score;
}

namespace bitboard_detail {

// MoveMask one shift at a time, for processors without vector instructions.
inline TBits MoveMaskAlongShifts(TBits own, TBits opponent)
{
    const TBits empty = ~(own | opponent);
    const TBits inner = opponent & InnerColumns;
    return MovesAlong<1>(own, inner, empty) | MovesAlong<8>(own, opponent, empty)
        | MovesAlong<7>(own, inner, empty) | MovesAlong<9>(own, inner, empty);
}

// FlipMask one ray at a time, for processors without vector instructions.
inline TBits FlipMaskAlongRays(TBits own, TBits opponent, int index)
{
    const std::array<TBits, 8>& rays = Rays[static_cast<std::size_t>(index)];
    return RisingFlips(own, opponent, rays[0]) | RisingFlips(own, opponent, rays[1])
        | RisingFlips(own, opponent, rays[2]) | RisingFlips(own, opponent, rays[3])
        | FallingFlips(own, opponent, rays[4]) | FallingFlips(own, opponent, rays[5])
        | FallingFlips(own, opponent, rays[6]) | FallingFlips(own, opponent, rays[7]);
}

#if defined(__AVX2__)
// The OR of a vector's four 64-bit lanes.
inline TBits OrOfLanes(__m256i lanes)
{
    const __m128i halves = _mm_or_si128(_mm256_castsi256_si128(lanes), _mm256_extracti128_si256(lanes, 1));
    return static_cast<TBits>(_mm_cvtsi128_si64(halves)) | static_cast<TBits>(_mm_extract_epi64(halves, 1));
}

// MovesAlong for the four shifts at once, one vector lane each, both ways.
inline TBits MoveMaskInVectors(TBits own, TBits opponent)
{
    const __m256i shifts = _mm256_set_epi64x(9, 7, 8, 1);
    const __m256i doubled = _mm256_slli_epi64(shifts, 1);
    const __m256i owns = _mm256_set1_epi64x(static_cast<long long>(own));
    // Runs along a column cannot wrap round an edge; the others keep to the inner columns.
    const __m256i runs = _mm256_and_si256(_mm256_set1_epi64x(static_cast<long long>(opponent)),
        _mm256_set_epi64x(static_cast<long long>(InnerColumns), static_cast<long long>(InnerColumns), -1,
            static_cast<long long>(InnerColumns)));

    __m256i up = _mm256_and_si256(runs, _mm256_sllv_epi64(owns, shifts));
    up = _mm256_or_si256(up, _mm256_and_si256(runs, _mm256_sllv_epi64(up, shifts)));
    const __m256i pairsUp = _mm256_and_si256(runs, _mm256_sllv_epi64(runs, shifts));
    up = _mm256_or_si256(up, _mm256_and_si256(pairsUp, _mm256_sllv_epi64(up, doubled)));
    up = _mm256_or_si256(up, _mm256_and_si256(pairsUp, _mm256_sllv_epi64(up, doubled)));

    __m256i down = _mm256_and_si256(runs, _mm256_srlv_epi64(owns, shifts));
    down = _mm256_or_si256(down, _mm256_and_si256(runs, _mm256_srlv_epi64(down, shifts)));
    const __m256i pairsDown = _mm256_and_si256(runs, _mm256_srlv_epi64(runs, shifts));
    down = _mm256_or_si256(down, _mm256_and_si256(pairsDown, _mm256_srlv_epi64(down, doubled)));
    down = _mm256_or_si256(down, _mm256_and_si256(pairsDown, _mm256_srlv_epi64(down, doubled)));

    const __m256i ends = _mm256_or_si256(_mm256_sllv_epi64(up, shifts), _mm256_srlv_epi64(down, shifts));
    return OrOfLanes(ends) & ~(own | opponent);
}

// FlipMask with the four rising rays in one vector and the four falling ones in another, the same steps as
// RisingFlips and FallingFlips lane by lane. A falling ray's first other square is found by smearing the
// ray's other squares down along it (three doublings of the ray's step cover its seven squares) instead of
// counting leading zeros, which these vectors lack.
inline TBits FlipMaskInVectors(TBits own, TBits opponent, int index)
{
    const auto* rays = reinterpret_cast<const __m256i*>(Rays[static_cast<std::size_t>(index)].data());
    const __m256i zero = _mm256_setzero_si256();
    const __m256i owns = _mm256_set1_epi64x(static_cast<long long>(own));
    const __m256i opponents = _mm256_set1_epi64x(static_cast<long long>(opponent));

    const __m256i rising = _mm256_load_si256(rays);
    const __m256i risingStops = _mm256_andnot_si256(opponents, rising);
    const __m256i risingFirst = _mm256_and_si256(risingStops, _mm256_sub_epi64(zero, risingStops));
    const __m256i risingOutflank = _mm256_and_si256(risingFirst, owns);
    const __m256i risingRun
        = _mm256_and_si256(_mm256_add_epi64(risingOutflank, _mm256_set1_epi64x(-1)), rising);
    const __m256i risingFlips = _mm256_andnot_si256(_mm256_cmpeq_epi64(risingOutflank, zero), risingRun);

    const __m256i falling = _mm256_load_si256(rays + 1);
    const __m256i steps = _mm256_set_epi64x(7, 9, 8, 1);
    const __m256i fallingStops = _mm256_andnot_si256(opponents, falling);
    __m256i below = _mm256_or_si256(fallingStops, _mm256_srlv_epi64(fallingStops, steps));
    below = _mm256_or_si256(below, _mm256_srlv_epi64(below, _mm256_slli_epi64(steps, 1)));
    below = _mm256_or_si256(below, _mm256_srlv_epi64(below, _mm256_slli_epi64(steps, 2)));
    const __m256i fallingFirst = _mm256_andnot_si256(_mm256_srlv_epi64(below, steps), fallingStops);
    const __m256i fallingOutflank = _mm256_and_si256(fallingFirst, owns);
    const __m256i fallingRun = _mm256_andnot_si256(below, falling);
    const __m256i fallingFlips = _mm256_andnot_si256(_mm256_cmpeq_epi64(fallingOutflank, zero), fallingRun);

    const __m256i flips = _mm256_or_si256(risingFlips, fallingFlips);
    return OrOfLanes(flips);
}
#endif

} // namespace bitboard_detail

// The empty squares where the side owning `own` can move against `opponent`. Inline, as the searches call
// it at nearly every node.
inline TBits MoveMask(TBits own, TBits opponent)
{
#if defined(__AVX2__)
    return bitboard_detail::MoveMaskInVectors(own, opponent);
#else
    return bitboard_detail::MoveMaskAlongShifts(own, opponent);
#endif
}

// The discs of `opponent` that a disc of `own` placed on square `index` turns; 0 when the move is illegal.
// The square itself is not examined.
inline TBits FlipMask(TBits own, TBits opponent, int index)
{
#if defined(__AVX2__)
    return bitboard_detail::FlipMaskInVectors(own, opponent, index);
#else
    return bitboard_detail::FlipMaskAlongRays(own, opponent, index);
#endif
}

inline int CountMoves(const TBitBoard& board, int colour)
{
    return colour == Black ? PopCount(MoveMask(board.black, board.white))
                           : PopCount(MoveMask(board.white, board.black));
}

// The position after `colour` plays at `index` turning `flips` (from FlipMask).
inline TBitBoard PlayMove(const TBitBoard& board, int colour, int index, TBits flips)
{
    const TBits played = flips | SquareBit(index);
    if (colour == Black) {
        return { board.black | played, board.white & ~flips };
    }
    return { board.black & ~flips, board.white | played };
}

// A position as the solvers see it: the discs of the side to move and of its opponent.
struct TSides {
    TBits own;
    TBits opponent;
};

inline TSides SidesOf(const TBitBoard& board, int colour)
{
    return { OwnDiscs(board, colour), OwnDiscs(board, -colour) };
}

// The board where `own` are the discs of `colour` and `opponent` those of the other side.
inline TBitBoard BoardOf(TBits own, TBits opponent, int colour)
{
    return colour == Black ? TBitBoard { own, opponent } : TBitBoard { opponent, own };
}

// The position after the side owning `own` plays at `square` turning `flips`, seen from the opponent, who
// is then to move.
inline TSides SidesAfter(TBits own, TBits opponent, int square, TBits flips)
{
    return { opponent & ~flips, own | flips | SquareBit(square) };
}

} // namespace kalvoro::engine
