// The strong solver: negamax alpha-beta over bitboards, from the side to move's view.
//
// Nodes with more than TableEmpties empty squares probe and fill the transposition table, look at the stop
// request, sort their moves fastest-first (fewest replies for the opponent, corners before others, the
// table's move first) and search all but the first with a null window, re-searching when it fails high. Nodes
// with fewer empty squares try the squares of odd quadrants first (parity) without sorting, and the last
// empty square is settled by counting. Two cutoffs end a node early, each on a true bound beyond its window:
// a child whose stored upper bound already makes the node fail high (from EtcEmpties up), and the cap that
// the opponent's stable discs put on the score when it lies at or below alpha. As with any fail-soft
// alpha-beta, such bounds change no exact value and no side of the window a value falls on, which is all the
// callers use. Values are the final disc difference with empty squares counting nothing, as in every solver
// of the program. The table stores bounds of exact values, which belong to the position alone, so it stays
// valid from one call to the next; a search that was stopped writes nothing.
//
// The fast win-or-loss value follows from the list-order search: every cut in it compares against 0 or
// against a bound that is 0 or beyond, so below a bound that lies strictly beyond 0 (Black: above it, White:
// below it) a node's value is 0 when it is a draw, the value of its first winning move in list order when it
// wins, and the best of all its moves' values, each of them a win of the opponent, when it loses. Below a
// losing node the same holds again and again, so its value is the best final score the losing side reaches
// against the winner's first winning moves: a largest value over a tree, whose moves may be tried in any
// order and which ends once the best found so far is -1, as the loser can do no better. Who wins a node is
// told by the strong solver far from the end; near it the search finds that out itself, from the same moves
// whose values it needs, and asks the strong solver only where the floor leaves nothing but the result to
// find. A node with a bound of exactly 0 (or one on the wrong side, as a caller may pass) is searched move by
// move in list order, as the plain solver does.
#include "ExactSolver.h"

#include "Bitboard.h"
#include "SearchOrder.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <utility>

namespace {

constexpr int MessageEmpties = 12;
// Messages are processed by the deep nodes only.
constexpr int TableEmpties = 6;
// Fast win-or-loss nodes with this many empty squares or fewer settle who wins by searching their moves
// themselves; above it the strong solver tells each move's result.
constexpr int SelfProvingEmpties = 14;
// Losing nodes of that search with this many empty squares or more try their best moves first.
constexpr int SortedLossEmpties = 6;
// Deep nodes with this many empty squares or more look for a child whose table bound cuts at once.
constexpr int EtcEmpties = 12;
// No result known yet.
constexpr int UnknownOutcome = 2;
static_assert(MessageEmpties > TableEmpties);
constexpr int Infinity = 65;
constexpr TBits Corners = 0x8100000000000081ULL;
constexpr std::array<TBits, 4> Quadrants { 0x000000000F0F0F0FULL, 0x00000000F0F0F0F0ULL,
    0x0F0F0F0F00000000ULL, 0xF0F0F0F000000000ULL };

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

constexpr std::array<TBits, 64> Neighbours = MakeNeighbours();

constexpr TBits FileA = 0x0101010101010101ULL;
constexpr TBits FileH = 0x8080808080808080ULL;
constexpr TBits Rank1 = 0x00000000000000FFULL;
constexpr TBits Rank8 = 0xFF00000000000000ULL;
constexpr TBits BoardEdge = FileA | FileH | Rank1 | Rank8;

// The diagonals of one direction: `step` 9 runs a1-h8 ways, 7 runs h1-a8 ways; 15 of each.
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

constexpr std::array<TBits, 15> RisingDiagonals = MakeDiagonals(9);
constexpr std::array<TBits, 15> FallingDiagonals = MakeDiagonals(7);

// The squares of the lines among `lines` that have no empty square.
inline TBits FullLines(TBits filled, const std::array<TBits, 15>& lines)
{
    TBits full = 0;
    for (const TBits line : lines) {
        full |= (filled & line) == line ? line : 0;
    }
    return full;
}

// A subset of the discs of `discs` that can never be turned: along each of its four lines a disc is safe
// when the line is full (no move can ever be made on it), when the disc stands on the board's edge across
// that line, or when a neighbour on that line is itself such a disc (a turned run cannot pass a disc of its
// own colour that never turns). Grown from nothing to the fixed point, so only truly stable discs count.
inline TBits StableDiscs(TBits discs, TBits filled)
{
    TBits rows = filled & (filled >> 1);
    rows &= rows >> 2;
    rows &= rows >> 4;
    const TBits fullRows = (rows & FileA) * 0xFF;
    TBits columns = filled & (filled >> 8);
    columns &= columns >> 16;
    columns &= columns >> 32;
    const TBits fullColumns = (columns & Rank1) * FileA;
    const TBits safeRow = fullRows | FileA | FileH;
    const TBits safeColumn = fullColumns | Rank1 | Rank8;
    const TBits safeRising = FullLines(filled, RisingDiagonals) | BoardEdge;
    const TBits safeFalling = FullLines(filled, FallingDiagonals) | BoardEdge;
    TBits stable = 0;
    for (;;) {
        const TBits row = safeRow | ((stable << 1) & ~FileA) | ((stable >> 1) & ~FileH);
        const TBits column = safeColumn | (stable << 8) | (stable >> 8);
        const TBits rising = safeRising | ((stable << 9) & ~FileA) | ((stable >> 9) & ~FileH);
        const TBits falling = safeFalling | ((stable << 7) & ~FileH) | ((stable >> 7) & ~FileA);
        const TBits grown = discs & row & column & rising & falling;
        if (grown == stable) {
            return stable;
        }
        stable = grown;
    }
}

struct TTableEntry {
    TBits own = 0;
    TBits opponent = 0;
    std::int8_t lower = -Infinity;
    std::int8_t upper = Infinity;
    std::uint8_t move = 64;
    std::uint8_t empties = 0;
};

// Two entries to a bucket, one cache line: one kept for the deeper position, one always replaced.
struct alignas(64) TTableBucket {
    std::array<TTableEntry, 2> entries;
};

constexpr int TableBits = 18;
constexpr std::size_t TableBuckets = std::size_t { 1 } << TableBits;

// Allocated on the first solve and kept.
TTableBucket* Table()
{
    static const std::unique_ptr<TTableBucket[]> table(new TTableBucket[TableBuckets]);
    return table.get();
}

inline std::size_t BucketIndex(TBits own, TBits opponent)
{
    const TBits mixed = (own ^ (opponent * 0x9E3779B97F4A7C15ULL)) * 0xC2B2AE3D27D4EB4FULL;
    return static_cast<std::size_t>(mixed >> (64 - TableBits));
}

inline int Score(TBits own, TBits opponent)
{
    return PopCount(own) - PopCount(opponent);
}

// The parity of the empty squares of each quadrant as four bits, bit q set when quadrant q (Quadrants[q])
// has an odd number; a move on a square flips its quadrant's bit.
inline unsigned QuadrantParity(TBits empty)
{
    unsigned parity = 0;
    for (std::size_t q = 0; q < Quadrants.size(); ++q) {
        parity |= (static_cast<unsigned>(PopCount(empty & Quadrants[q])) & 1U) << q;
    }
    return parity;
}

constexpr std::array<unsigned, 64> MakeQuadrantBits()
{
    std::array<unsigned, 64> bits {};
    for (int square = 0; square < 64; ++square) {
        bits[static_cast<std::size_t>(square)] = 1U
            << ((square % 8 >= 4 ? 1 : 0) + (square / 8 >= 4 ? 2 : 0));
    }
    return bits;
}

constexpr std::array<unsigned, 64> QuadrantBits = MakeQuadrantBits();

// The squares of the quadrants whose parity bit is set, for each of the 16 parities.
constexpr std::array<TBits, 16> MakeParitySquares()
{
    std::array<TBits, 16> squares {};
    for (std::size_t parity = 0; parity < 16; ++parity) {
        for (std::size_t q = 0; q < 4; ++q) {
            squares[parity] |= (parity >> q & 1U) != 0 ? Quadrants[q] : 0;
        }
    }
    return squares;
}

constexpr std::array<TBits, 16> ParitySquares = MakeParitySquares();

// The final score of the side owning `own` with `square` the only empty square: the move there adds itself
// and twice the discs it turns to the mover's difference, the side to move first, then its opponent.
inline int SolveLast(TBits own, TBits opponent, int square)
{
    // Both sides' discs fill the other 63 squares.
    const int score = 2 * PopCount(own) - 63;
    const int ownFlips = LastSquareFlips(own, square);
    const int opponentFlips = LastSquareFlips(opponent, square);
    const int opponentScore = opponentFlips != 0 ? score - 2 * opponentFlips - 1 : score;
    return ownFlips != 0 ? score + 2 * ownFlips + 1 : opponentScore;
}

struct TMove {
    int square;
    TBits flips;
    int key;
};

class TStrongSolver {
public:
    explicit TStrongSolver(ISolverHost* host)
        : host_(host)
        , table_(Table())
    {
    }

    bool Stopped() const { return stopped_; }

    // Looks at the stop request now; true when the solve is to end.
    bool CheckStop()
    {
        stopped_ = stopped_ || (host_ != nullptr && host_->StopRequested());
        return stopped_;
    }

    int Solve(TBits own, TBits opponent, int alpha, int beta)
    {
        const int empties = PopCount(~(own | opponent));
        return empties > TableEmpties
            ? SolveDeep(own, opponent, alpha, beta, empties)
            : SolveShallow(own, opponent, alpha, beta, empties, QuadrantParity(~(own | opponent)));
    }

    // The legal moves, best first as the solver tries them; returns their number.
    int SortedMoves(TBits own, TBits opponent, std::array<TMove, 32>& moves) const
    {
        return OrderedMoves(own, opponent, MoveMask(own, opponent), 64, moves);
    }

    // 1 when the side owning `own` wins, 0 for a draw, -1 when it loses.
    int Classify(TBits own, TBits opponent)
    {
        const int score = Solve(own, opponent, -1, 1);
        return score > 0 ? 1 : score < 0 ? -1 : 0;
    }

private:
    // Two empty squares, tried in square order; the move order does not change an exact value or on which
    // side of the window a value falls.
    static int SolveTwo(TBits own, TBits opponent, int beta, TBits empty)
    {
        const int first = std::countr_zero(empty);
        const int second = std::countr_zero(empty & (empty - 1));
        int best = -Infinity;
        for (const auto& [square, other] : { std::pair { first, second }, std::pair { second, first } }) {
            if (const TBits flips = ShallowFlips(own, opponent, square)) {
                const int v = -SolveLast(opponent & ~flips, own | flips | SquareBit(square), other);
                if (v >= beta) {
                    return v;
                }
                best = std::max(best, v);
            }
        }
        if (best != -Infinity) {
            return best;
        }
        if (ShallowFlips(opponent, own, first) != 0 || ShallowFlips(opponent, own, second) != 0) {
            return -SolveTwo(opponent, own, Infinity, empty);
        }
        return Score(own, opponent);
    }

    // Three empty squares: those of an odd quadrant first, each move's two-square ending solved directly.
    static int SolveThree(TBits own, TBits opponent, int alpha, int beta, TBits empty, unsigned parity)
    {
        const TBits odd = ParitySquares[parity];
        int best = -Infinity;
        for (TBits group : { empty & odd, empty & ~odd }) {
            for (; group != 0; group &= group - 1) {
                const int square = std::countr_zero(group);
                const TBits flips = ShallowFlips(own, opponent, square);
                if (flips == 0) {
                    continue;
                }
                const int v = -SolveTwo(opponent & ~flips, own | flips | SquareBit(square),
                    -std::max(alpha, best), empty & ~SquareBit(square));
                if (v > best) {
                    best = v;
                    if (best >= beta) {
                        return best;
                    }
                }
            }
        }
        if (best != -Infinity) {
            return best;
        }
        for (TBits rest = empty; rest != 0; rest &= rest - 1) {
            if (ShallowFlips(opponent, own, std::countr_zero(rest)) != 0) {
                return -SolveThree(opponent, own, -beta, -alpha, empty, parity);
            }
        }
        return Score(own, opponent);
    }

    int SolvePass(TBits own, TBits opponent, int alpha, int beta)
    {
        if (MoveMask(opponent, own) == 0) {
            return Score(own, opponent);
        }
        return -Solve(opponent, own, -beta, -alpha);
    }

    // The discs `own` turns by playing at `square`, 0 when the move is illegal; most empty squares this near
    // the end touch no opponent disc, which the neighbour mask settles without walking the lines.
    static TBits ShallowFlips(TBits own, TBits opponent, int square)
    {
        return (Neighbours[static_cast<std::size_t>(square)] & opponent) != 0
            ? FlipMask(own, opponent, square)
            : 0;
    }

    // The moves are found by trying the empty squares themselves (odd quadrants first), without a move mask.
    int SolveShallow(TBits own, TBits opponent, int alpha, int beta, int empties, unsigned parity)
    {
        const TBits empty = ~(own | opponent);
        if (empties == 1) {
            return SolveLast(own, opponent, std::countr_zero(empty));
        }
        if (empties == 2) {
            return SolveTwo(own, opponent, beta, empty);
        }
        if (empties == 3) {
            return SolveThree(own, opponent, alpha, beta, empty, parity);
        }
        if (empties >= 5 && 64 - 2 * PopCount(opponent) <= alpha) {
            const int cap = 64 - 2 * PopCount(StableDiscs(opponent, own | opponent));
            if (cap <= alpha) {
                return cap;
            }
        }
        const TBits odd = ParitySquares[parity];
        int best = -Infinity;
        bool moved = false;
        for (TBits group : { empty & odd, empty & ~odd }) {
            while (group != 0) {
                const int square = std::countr_zero(group);
                group &= group - 1;
                const TBits flips = ShallowFlips(own, opponent, square);
                if (flips == 0) {
                    continue;
                }
                moved = true;
                const TBits childOwn = opponent & ~flips;
                const TBits childOpponent = own | flips | SquareBit(square);
                const int v = -SolveShallow(childOwn, childOpponent, -beta, -std::max(alpha, best),
                    empties - 1, parity ^ QuadrantBits[static_cast<std::size_t>(square)]);
                if (v > best) {
                    best = v;
                    if (best >= beta) {
                        return best;
                    }
                }
            }
        }
        if (moved) {
            return best;
        }
        for (TBits rest = empty; rest != 0; rest &= rest - 1) {
            if (ShallowFlips(opponent, own, std::countr_zero(rest)) != 0) {
                return -SolveShallow(opponent, own, -beta, -alpha, empties, parity);
            }
        }
        return Score(own, opponent);
    }

    // Fills `moves` with the legal moves sorted best first; returns their number.
    int OrderedMoves(
        TBits own, TBits opponent, TBits legal, int tableMove, std::array<TMove, 32>& moves) const
    {
        const TBits odd = ParitySquares[QuadrantParity(~(own | opponent))];
        // The children's table buckets are fetched from memory while the moves are sorted.
        const bool childrenUseTable = PopCount(~(own | opponent)) - 1 > TableEmpties;
        int count = 0;
        while (legal != 0) {
            const int square = std::countr_zero(legal);
            legal &= legal - 1;
            const TBits flips = FlipMask(own, opponent, square);
            const TBits replies = MoveMask(opponent & ~flips, own | flips | SquareBit(square));
            int key = -16 * (PopCount(replies) + PopCount(replies & Corners));
            key += (SquareBit(square) & Corners) ? 8 : 0;
            key += (SquareBit(square) & odd) ? 4 : 0;
            key += square == tableMove ? 10000 : 0;
            moves[count++] = { square, flips, key };
            if (childrenUseTable) {
                __builtin_prefetch(&table_[BucketIndex(opponent & ~flips, own | flips | SquareBit(square))]);
            }
        }
        // Insertion sort: stable, and unlike std::stable_sort it allocates nothing.
        for (int i = 1; i < count; ++i) {
            const TMove move = moves[i];
            int j = i;
            for (; j > 0 && moves[j - 1].key < move.key; --j) {
                moves[j] = moves[j - 1];
            }
            moves[j] = move;
        }
        return count;
    }

    int SolveDeep(TBits own, TBits opponent, int alpha, int beta, int empties)
    {
        if (CheckStop()) {
            return 0;
        }
        if (empties == MessageEmpties && host_ != nullptr) {
            host_->ProcessMessages();
        }
        TTableBucket& bucket = table_[BucketIndex(own, opponent)];
        int tableMove = 64;
        for (const TTableEntry& entry : bucket.entries) {
            if (entry.own == own && entry.opponent == opponent && entry.empties == empties) {
                if (entry.lower >= beta || entry.lower == entry.upper) {
                    return entry.lower;
                }
                if (entry.upper <= alpha) {
                    return entry.upper;
                }
                alpha = std::max(alpha, static_cast<int>(entry.lower));
                beta = std::min(beta, static_cast<int>(entry.upper));
                tableMove = entry.move;
            }
        }
        // The opponent's stable discs cap the score; the cap is an upper bound, so failing low on it keeps
        // every value on the same side of the window.
        if (64 - 2 * PopCount(opponent) <= alpha) {
            const int cap = 64 - 2 * PopCount(StableDiscs(opponent, own | opponent));
            if (cap <= alpha) {
                return cap;
            }
        }
        const TBits legal = MoveMask(own, opponent);
        if (legal == 0) {
            return SolvePass(own, opponent, alpha, beta);
        }
        std::array<TMove, 32> moves;
        const int count = OrderedMoves(own, opponent, legal, tableMove, moves);
        if (empties >= EtcEmpties) {
            if (const int cut = TableCut(moves, count, own, opponent, empties - 1, beta); cut >= beta) {
                return cut;
            }
        }
        int best = -Infinity;
        int bestMove = 64;
        int floor = alpha;
        for (int i = 0; i < count; ++i) {
            const TBits childOwn = opponent & ~moves[i].flips;
            const TBits childOpponent = own | moves[i].flips | SquareBit(moves[i].square);
            int v;
            if (i == 0) {
                v = -Solve(childOwn, childOpponent, -beta, -floor);
            } else {
                v = -Solve(childOwn, childOpponent, -floor - 1, -floor);
                if (v > floor && v < beta && !stopped_) {
                    v = -Solve(childOwn, childOpponent, -beta, -floor);
                }
            }
            if (stopped_) {
                return 0;
            }
            if (v > best) {
                best = v;
                bestMove = moves[i].square;
                if (best >= beta) {
                    break;
                }
                floor = std::max(floor, best);
            }
        }
        Store(bucket, own, opponent, empties, alpha, beta, best, bestMove);
        return best;
    }

    // A lower bound of at least `beta` when the table already knows a child whose value is at most -beta,
    // -Infinity otherwise: the cut the search would make at that child, without searching.
    int TableCut(const std::array<TMove, 32>& moves, int count, TBits own, TBits opponent, int childEmpties,
        int beta) const
    {
        for (int i = 0; i < count; ++i) {
            const TBits childOwn = opponent & ~moves[i].flips;
            const TBits childOpponent = own | moves[i].flips | SquareBit(moves[i].square);
            for (const TTableEntry& entry : table_[BucketIndex(childOwn, childOpponent)].entries) {
                if (entry.own == childOwn && entry.opponent == childOpponent && entry.empties == childEmpties
                    && -entry.upper >= beta) {
                    return -entry.upper;
                }
            }
        }
        return -Infinity;
    }

    static void Store(TTableBucket& bucket, TBits own, TBits opponent, int empties, int alpha, int beta,
        int best, int bestMove)
    {
        TTableEntry* entry = &bucket.entries[1];
        const TTableEntry& kept = bucket.entries[0];
        if ((kept.own == own && kept.opponent == opponent) || kept.empties <= empties) {
            entry = &bucket.entries[0];
        }
        if (entry->own != own || entry->opponent != opponent || entry->empties != empties) {
            *entry
                = TTableEntry { own, opponent, -Infinity, Infinity, 64, static_cast<std::uint8_t>(empties) };
        }
        if (best > alpha) {
            entry->lower = static_cast<std::int8_t>(std::max(static_cast<int>(entry->lower), best));
        }
        if (best < beta) {
            entry->upper = static_cast<std::int8_t>(std::min(static_cast<int>(entry->upper), best));
        }
        entry->move = static_cast<std::uint8_t>(bestMove);
    }

    ISolverHost* host_;
    TTableBucket* table_;
    bool stopped_ = false;
};

// Calls `visit(childOwn, childOpponent, childList)` for the legal moves in list order until it returns
// true; returns whether it did.
template <class Visit>
bool UntilInListOrder(TBits own, TBits opponent, TBits moves, const TSearchOrder& list, Visit visit)
{
    TSearchOrder childList = list;
    childList.count = list.count - 1;
    for (int k = 0; k < list.count; ++k) {
        const int square = list.squares[k];
        if (!(moves & SquareBit(square))) {
            continue;
        }
        const TBits flips = FlipMask(own, opponent, square);
        childList.squares[k] = list.squares[list.count - 1];
        const bool done = visit(opponent & ~flips, own | flips | SquareBit(square), childList);
        childList.squares[k] = static_cast<std::uint8_t>(square);
        if (done) {
            return true;
        }
    }
    return false;
}

// The discs of the side to move and of its opponent.
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

// The value of the list-order win-or-loss search with the stop request and message processing of the
// solvers, for nodes whose bound lies strictly beyond 0 (see the module comment).
class TFastWinLoss {
public:
    TFastWinLoss(ISolverHost& host, int selfProvingEmpties)
        : host_(host)
        , solver_(&host)
        , selfProvingEmpties_(selfProvingEmpties)
    {
    }

    // Any bound: the list-order loop while the bound is 0 or on the wrong side, the short way below it.
    int Value(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int bound)
    {
        const bool strict = colour == Black ? bound > 0 : bound < 0;
        return strict ? colour * OwnValue(board, list, colour, passed, UnknownOutcome, -Infinity)
                      : ListedValue(board, list, colour, passed, bound);
    }

private:
    // The last square, the 12-empty messages and the stop request as in the list-order solver; true when
    // `value` (Black's view) is the node's value already.
    bool SettledAtEntry(const TBitBoard& board, const TSearchOrder& list, int colour, int& value)
    {
        value = 0;
        if (solver_.CheckStop()) {
            return true;
        }
        if (list.count == 1) {
            const TSides sides = SidesOf(board, colour);
            value = colour * SolveLast(sides.own, sides.opponent, list.squares[0]);
            return true;
        }
        if (list.count == MessageEmpties) {
            host_.ProcessMessages();
        }
        return false;
    }

    int ListedValue(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int bound)
    {
        int value;
        if (SettledAtEntry(board, list, colour, value)) {
            return value;
        }
        const TSides sides = SidesOf(board, colour);
        const TBits moves = MoveMask(sides.own, sides.opponent);
        int best = colour == Black ? -9999 : 9999;
        if (moves == 0) {
            return passed ? DiscDifference(board)
                          : -colour * OwnValue(board, list, -colour, true, UnknownOutcome, -Infinity);
        }
        UntilInListOrder(sides.own, sides.opponent, moves, list,
            [&](TBits childOwn, TBits childOpponent, const TSearchOrder& childList) {
                const int v
                    = Value(BoardOf(childOwn, childOpponent, -colour), childList, -colour, false, best);
                if (colour == Black ? v <= best : v >= best) {
                    return false;
                }
                best = v;
                return colour == Black ? (best >= bound || best > 0) : (best <= bound || best < 0);
            });
        return best;
    }

    // The value below a strict bound, from the side to move's view. `outcome` is the side's result when the
    // caller knows it (1 win, 0 draw, -1 loss), UnknownOutcome otherwise. Under a losing node every node of
    // the losing side is a loss again and every node of the winner plays its first winning move, so the
    // losing node's value is the largest final score the losing side reaches in that tree: no node of it
    // needs its exact value unless the value beats the losing side's best so far, `floor` (from the losing
    // side's view, whichever side is to move). A node that cannot beat the floor returns a value at or below
    // it; every other node returns its exact value.
    int OwnValue(
        const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int outcome, int floor)
    {
        int value;
        if (SettledAtEntry(board, list, colour, value)) {
            return colour * value;
        }
        const TSides sides = SidesOf(board, colour);
        const TBits moves = MoveMask(sides.own, sides.opponent);
        if (moves == 0) {
            if (passed) {
                return colour * DiscDifference(board);
            }
            const int passedOutcome = outcome == UnknownOutcome ? outcome : -outcome;
            return -OwnValue(board, list, -colour, true, passedOutcome, floor);
        }
        if (const std::optional<int> cap = CapAtOrBelowFloor(outcome, floor)) {
            return *cap;
        }
        if (outcome == UnknownOutcome) {
            outcome = solver_.Classify(sides.own, sides.opponent);
        }
        if (outcome == 0 || solver_.Stopped()) {
            return 0;
        }
        if (list.count <= selfProvingEmpties_) {
            return outcome > 0 ? -WinnerValue(sides.own, sides.opponent, list, passed, floor).value
                               : LoserValue(sides.own, sides.opponent, list, passed, floor).value;
        }
        return outcome > 0 ? WinningValue(list, colour, sides, moves, floor)
                           : LosingValue(board, list, colour, sides, floor);
    }

    // Whether a side loses (or wins), found by searching, and the value of the same tree as OwnValue when it
    // does, the value from the losing side's view and exact when above the floor. A side loses when every
    // move it has leaves the opponent winning, and wins when one of its moves leaves the opponent losing,
    // the first in list order giving the value. Once the floor is -1 only that result matters, and the
    // strong solver tells it.
    struct TProved {
        bool holds;
        int value;
    };

    // Whether the side owning `own`, to move, loses.
    TProved LoserValue(TBits own, TBits opponent, const TSearchOrder& list, bool passed, int floor)
    {
        if (const std::optional<TProved> settled = SettledNode(own, opponent, list, passed, -1)) {
            return *settled;
        }
        const TBits moves = MoveMask(own, opponent);
        if (moves == 0) {
            return WinnerValue(opponent, own, list, true, floor);
        }
        if (floor >= -1) {
            return { solver_.Solve(own, opponent, -1, 0) < 0, -1 };
        }
        if (list.count < SortedLossEmpties) {
            return ListedLoserValue(own, opponent, moves, list, floor);
        }
        int best = -Infinity;
        const bool escapes
            = UntilBestFirst(own, opponent, list, [&](const TMove& move, const TSearchOrder& childList) {
                  const TProved reply = WinnerValue(opponent & ~move.flips,
                      own | move.flips | SquareBit(move.square), childList, false, std::max(floor, best));
                  best = std::max(best, reply.value);
                  return !reply.holds;
              });
        return escapes ? TProved { false, 0 } : TProved { true, best };
    }

    // LoserValue near the end, the moves tried in list order, each one's turned discs found only when tried.
    TProved ListedLoserValue(TBits own, TBits opponent, TBits moves, const TSearchOrder& list, int floor)
    {
        int best = -Infinity;
        const bool escapes = UntilInListOrder(own, opponent, moves, list,
            [&](TBits childOwn, TBits childOpponent, const TSearchOrder& childList) {
                const TProved reply
                    = WinnerValue(childOwn, childOpponent, childList, false, std::max(floor, best));
                best = std::max(best, reply.value);
                return !reply.holds;
            });
        return escapes ? TProved { false, 0 } : TProved { true, best };
    }

    // Whether the side owning `own`, to move, wins.
    TProved WinnerValue(TBits own, TBits opponent, const TSearchOrder& list, bool passed, int floor)
    {
        if (const std::optional<TProved> settled = SettledNode(own, opponent, list, passed, 1)) {
            return *settled;
        }
        const TBits moves = MoveMask(own, opponent);
        if (moves == 0) {
            return LoserValue(opponent, own, list, true, floor);
        }
        if (floor >= -1) {
            return { solver_.Solve(own, opponent, 0, 1) > 0, -1 };
        }
        TProved win { false, 0 };
        UntilInListOrder(own, opponent, moves, list,
            [&](TBits childOwn, TBits childOpponent, const TSearchOrder& childList) {
                win = LoserValue(childOwn, childOpponent, childList, false, floor);
                return win.holds;
            });
        return win.holds ? win : TProved { false, 0 };
    }

    // The stop request, the 12-empty messages, the last square and the end of the game, for a node asking
    // whether the side to move has the result `sign` (1 a win, -1 a loss).
    std::optional<TProved> SettledNode(
        TBits own, TBits opponent, const TSearchOrder& list, bool passed, int sign)
    {
        if (solver_.CheckStop()) {
            return TProved { true, 0 };
        }
        if (list.count == MessageEmpties) {
            host_.ProcessMessages();
        }
        int score;
        if (list.count == 1) {
            score = SolveLast(own, opponent, list.squares[0]);
        } else if (passed && MoveMask(own, opponent) == 0) {
            score = Score(own, opponent);
        } else {
            return std::nullopt;
        }
        // The value is always the loser's view: the side to move's for a loss, its opponent's for a win.
        return sign < 0 ? TProved { score < 0, score } : TProved { score > 0, -score };
    }

    // The losing side ends at -1 at best, so once its best so far is -1 no node below can beat it: the node
    // ends with -1 (from the side to move's view).
    static std::optional<int> CapAtOrBelowFloor(int outcome, int floor)
    {
        if (outcome == 0 || outcome == UnknownOutcome || floor < -1) {
            return std::nullopt;
        }
        return outcome > 0 ? 1 : -1;
    }

    // The value of the first move in list order after which the opponent loses.
    int WinningValue(const TSearchOrder& list, int colour, const TSides& sides, TBits moves, int floor)
    {
        int value = 0;
        UntilInListOrder(sides.own, sides.opponent, moves, list,
            [&](TBits childOwn, TBits childOpponent, const TSearchOrder& childList) {
                // A null window just below 0 tells a loss of the opponent from the rest.
                if (solver_.Solve(childOwn, childOpponent, -1, 0) >= 0) {
                    return solver_.Stopped();
                }
                const TBitBoard child = BoardOf(childOwn, childOpponent, -colour);
                value = -OwnValue(child, childList, -colour, false, -1, floor);
                return true;
            });
        return solver_.Stopped() ? 0 : value;
    }

    // The best of all moves' values, every one a win of the opponent. Their order does not change the
    // largest value, so the moves are tried best first (as the strong solver sorts them), which raises the
    // floor early.
    int LosingValue(
        const TBitBoard& board, const TSearchOrder& list, int colour, const TSides& sides, int floor)
    {
        int best = -Infinity;
        UntilBestFirst(
            sides.own, sides.opponent, list, [&](const TMove& move, const TSearchOrder& childList) {
                const TBitBoard child = PlayMove(board, colour, move.square, move.flips);
                best = std::max(best, -OwnValue(child, childList, -colour, false, 1, std::max(floor, best)));
                return solver_.Stopped();
            });
        return solver_.Stopped() ? 0 : best;
    }

    // Calls `visit(move, childList)` for the legal moves best first, as the strong solver sorts them, until
    // it returns true; returns whether it did.
    template <class Visit>
    bool UntilBestFirst(TBits own, TBits opponent, const TSearchOrder& list, Visit visit)
    {
        std::array<TMove, 32> sorted;
        const int count = solver_.SortedMoves(own, opponent, sorted);
        TSearchOrder childList = list;
        childList.count = list.count - 1;
        for (int i = 0; i < count; ++i) {
            const int k = SlotOf(list, sorted[i].square);
            childList.squares[k] = list.squares[list.count - 1];
            const bool done = visit(sorted[i], childList);
            childList.squares[k] = static_cast<std::uint8_t>(sorted[i].square);
            if (done) {
                return true;
            }
        }
        return false;
    }

    static int SlotOf(const TSearchOrder& list, int square)
    {
        int k = 0;
        while (list.squares[k] != square) {
            ++k;
        }
        return k;
    }

    ISolverHost& host_;
    TStrongSolver solver_;
    int selfProvingEmpties_;
};

// The window of the strong solve for SolveExactStrong, from the side to move's view: exact below `beta`.
int StrongBeta(int colour, int bound)
{
    return std::clamp(colour == Black ? bound : -bound, -Infinity + 2, Infinity);
}

// The value of SolveExact with `bound`. The list-order solver changes a node's best only on a child's exact
// value (a child that does not beat the best returns a value that does not either), so a node whose exact
// value does not beat its parent's bound returns the exact value of its first child in list order that
// reaches the bound. Without a move, or with one square left, the value is exact.
int ListOrderExact(
    TStrongSolver& solver, const TBitBoard& board, const TSearchOrder& list, int colour, int bound)
{
    const TSides sides = SidesOf(board, colour);
    const TBits moves = MoveMask(sides.own, sides.opponent);
    if (list.count <= 1 || moves == 0) {
        return colour * solver.Solve(sides.own, sides.opponent, -Infinity, Infinity);
    }
    const int beta = StrongBeta(colour, bound);
    // A null window settles cheaply which side of the bound the value lies on; only a value below it is
    // needed exactly.
    int score = beta < Infinity ? solver.Solve(sides.own, sides.opponent, beta - 1, beta) : -Infinity;
    if (score < beta && !solver.Stopped()) {
        score = solver.Solve(sides.own, sides.opponent, -Infinity, beta);
    }
    if (score < beta || solver.Stopped()) {
        return colour * score;
    }
    // In the child's view the bound is reached at a score of at most `threshold`.
    const int threshold = -colour * bound;
    int value = colour * score;
    UntilInListOrder(sides.own, sides.opponent, moves, list,
        [&](TBits childOwn, TBits childOpponent, const TSearchOrder&) {
            const bool reaches = threshold >= 64
                || (threshold >= -64
                    && solver.Solve(childOwn, childOpponent, threshold, threshold + 1) <= threshold);
            if (solver.Stopped()) {
                value = 0;
                return true;
            }
            // The child's score is at most `threshold` then, so a window closed just above it gives it
            // exactly.
            if (reaches) {
                value = -colour
                    * solver.Solve(childOwn, childOpponent, -Infinity, std::min(threshold + 1, Infinity));
            }
            return reaches;
        });
    return value;
}

} // namespace

std::size_t ExactTableBytes()
{
    return TableBuckets * sizeof(TTableBucket);
}

void ClearExactTable()
{
    std::fill(Table(), Table() + TableBuckets, TTableBucket {});
}

int SolveExactStrong(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int bound, ISolverHost& host)
{
    if (host.StopRequested()) {
        return 0;
    }
    TSearchOrder order;
    if (!ToSearchOrder(board, list, order)) {
        return SolveExact(board, list, colour, passed, bound, host);
    }
    const TBitBoard bits = ToBitBoard(board);
    const TSides sides = SidesOf(bits, colour);
    // The last square is settled by whoever can take it, passed or not.
    if (passed && list.count != 1 && MoveMask(sides.own, sides.opponent) == 0) {
        return DiscDifference(bits);
    }
    TStrongSolver solver(&host);
    return ListOrderExact(solver, bits, order, colour, bound);
}

int SolveWinLossFast(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int bound, ISolverHost& host)
{
    return SolveWinLossFastWith(SelfProvingEmpties, board, list, colour, passed, bound, host);
}

int SolveWinLossFastWith(int selfProvingEmpties, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int bound, ISolverHost& host)
{
    if (host.StopRequested()) {
        return 0;
    }
    TSearchOrder order;
    if (!ToSearchOrder(board, list, order)) {
        return SolveWinLoss(board, list, colour, passed, bound, host);
    }
    TFastWinLoss search(host, selfProvingEmpties);
    return search.Value(ToBitBoard(board), order, colour, passed, bound);
}

int ExactScore(const TBoard& board, int colour)
{
    const TBitBoard bits = ToBitBoard(board);
    TStrongSolver solver(nullptr);
    return solver.Solve(OwnDiscs(bits, colour), OwnDiscs(bits, -colour), -Infinity, Infinity);
}
