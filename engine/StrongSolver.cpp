#include "StrongSolver.h"

#include "MoveOrder.h"
#include "ParallelSolve.h"
#include "Stability.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kalvoro::engine {

namespace {

// Deep nodes have more empty squares than this: they use the table and sort their moves.
constexpr int TableEmpties = 6;
static_assert(MessageEmpties > TableEmpties, "messages are processed by the deep nodes only");
// Deep nodes with this many empty squares or more look for a child whose table bound cuts at once.
constexpr int EtcEmpties = 12;
// Deep nodes with this many empty squares or more share their moves with idle threads once the first
// YoungBrothersWait have been searched alone. After two moves that did not cut, the node most likely searches
// all of its moves, so the threads seldom search moves a cut would have spared; waiting for one move only
// searched about a quarter more nodes on the endgame test positions, and up to five times as many on one.
constexpr int SplitEmpties = 14;
// Exact scores of positions with this many empty squares or more are found by null-window tests.
constexpr int NullWindowEmpties = 20;
// The null-window tests of the largest trees go on from the score at the end of the line the first test
// leaves in the table, found by solving the position reached with this many empty squares.
constexpr int LineEndEmpties = 18;
constexpr int YoungBrothersWait = 2;
constexpr std::array<TBits, 4> Quadrants { 0x000000000F0F0F0FULL, 0x00000000F0F0F0F0ULL,
    0x0F0F0F0F00000000ULL, 0xF0F0F0F000000000ULL };

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

// The cap the opponent's stable discs put on the score, when it lies at or below alpha. The cap is an upper
// bound, so failing low on it keeps every value on the same side of the window.
inline std::optional<int> StableCapAtOrBelow(TBits own, TBits opponent, int alpha)
{
    if (64 - 2 * PopCount(opponent) > alpha) {
        return std::nullopt;
    }
    const int cap = StableScoreCap(own, opponent);
    return cap <= alpha ? std::optional<int> { cap } : std::nullopt;
}

// The discs `own` turns by playing at `square`, 0 when the move is illegal; most empty squares this near the
// end touch no opponent disc, which the neighbour mask settles without walking the lines.
inline TBits ShallowFlips(TBits own, TBits opponent, int square)
{
    return (Neighbours[static_cast<std::size_t>(square)] & opponent) != 0 ? FlipMask(own, opponent, square)
                                                                          : 0;
}

// Whether the side owning `own` can move on one of `squares`. Near the end, trying the few empty squares
// costs less than building the move mask.
inline bool HasMoveAmong(TBits own, TBits opponent, TBits squares)
{
    for (; squares != 0; squares &= squares - 1) {
        if (ShallowFlips(own, opponent, std::countr_zero(squares)) != 0) {
            return true;
        }
    }
    return false;
}

// The solving steps below are declared inline so that the compiler folds the last squares' solvers into
// one another and into the deep nodes, which the speed of the whole solver rests on.

// Two empty squares, tried in square order; the move order does not change an exact value or on which side
// of the window a value falls.
inline int SolveTwo(TBits own, TBits opponent, int beta, TBits empty)
{
    const int first = std::countr_zero(empty);
    const int second = std::countr_zero(empty & (empty - 1));
    int best = -ExactInfinity;
    for (const auto& [square, other] : { std::pair { first, second }, std::pair { second, first } }) {
        if (const TBits flips = ShallowFlips(own, opponent, square)) {
            const TSides child = SidesAfter(own, opponent, square, flips);
            const int v = -LastSquareScore(child.own, child.opponent, other);
            if (v >= beta) {
                return v;
            }
            best = std::max(best, v);
        }
    }
    if (best != -ExactInfinity) {
        return best;
    }
    if (HasMoveAmong(opponent, own, empty)) {
        return -SolveTwo(opponent, own, ExactInfinity, empty);
    }
    return Score(own, opponent);
}

// Three empty squares: those of an odd quadrant first, each move's two-square ending solved directly.
inline int SolveThree(TBits own, TBits opponent, int alpha, int beta, TBits empty, unsigned parity)
{
    const TBits odd = ParitySquares[parity];
    int best = -ExactInfinity;
    for (TBits group : { empty & odd, empty & ~odd }) {
        for (; group != 0; group &= group - 1) {
            const int square = std::countr_zero(group);
            const TBits flips = ShallowFlips(own, opponent, square);
            if (flips == 0) {
                continue;
            }
            const TSides child = SidesAfter(own, opponent, square, flips);
            const int v
                = -SolveTwo(child.own, child.opponent, -std::max(alpha, best), empty & ~SquareBit(square));
            if (v > best) {
                best = v;
                if (best >= beta) {
                    return best;
                }
            }
        }
    }
    if (best != -ExactInfinity) {
        return best;
    }
    if (HasMoveAmong(opponent, own, empty)) {
        return -SolveThree(opponent, own, -beta, -alpha, empty, parity);
    }
    return Score(own, opponent);
}

// Nodes up to TableEmpties empty squares: the moves are found by trying the empty squares themselves (odd
// quadrants first), without a move mask.
inline int SolveShallow(TBits own, TBits opponent, int alpha, int beta, int empties, unsigned parity)
{
    const TBits empty = ~(own | opponent);
    if (empties == 1) {
        return LastSquareScore(own, opponent, std::countr_zero(empty));
    }
    if (empties == 2) {
        return SolveTwo(own, opponent, beta, empty);
    }
    if (empties == 3) {
        return SolveThree(own, opponent, alpha, beta, empty, parity);
    }
    if (empties >= 5) {
        if (const std::optional<int> cap = StableCapAtOrBelow(own, opponent, alpha)) {
            return *cap;
        }
    }
    const TBits odd = ParitySquares[parity];
    int best = -ExactInfinity;
    bool moved = false;
    for (TBits group : { empty & odd, empty & ~odd }) {
        for (; group != 0; group &= group - 1) {
            const int square = std::countr_zero(group);
            const TBits flips = ShallowFlips(own, opponent, square);
            if (flips == 0) {
                continue;
            }
            moved = true;
            const TSides child = SidesAfter(own, opponent, square, flips);
            const int v = -SolveShallow(child.own, child.opponent, -beta, -std::max(alpha, best), empties - 1,
                parity ^ QuadrantBits[static_cast<std::size_t>(square)]);
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
    if (HasMoveAmong(opponent, own, empty)) {
        return -SolveShallow(opponent, own, -beta, -alpha, empties, parity);
    }
    return Score(own, opponent);
}

} // namespace

int TStrongSolver::Solve(TBits own, TBits opponent, int alpha, int beta)
{
    const int empties = PopCount(~(own | opponent));
    return empties > TableEmpties
        ? SolveDeep(own, opponent, alpha, beta, empties)
        : SolveShallow(own, opponent, alpha, beta, empties, QuadrantParity(~(own | opponent)));
}

// A wide window costs more than the null windows that pin the same score down: every node along its first
// line searches a wide window as well. So each test asks only whether the score reaches a value; a test's
// fail-soft result is a bound, the next test is placed just beyond it, and the table keeps what the earlier
// tests proved. On the endgame test positions of 20 to 25 empty squares this visited a third fewer nodes than
// one wide window, even where the score lay 28 discs from the first guess; at 26 about as many. Smaller trees
// keep the one wide window: the tests were no faster there.
//
// In the largest trees each test that proves a new value is dear, so after the first the tests go on from
// the score of the line the first one leaves in the table, and halve the range once a test on each side has
// bounded the score. That line's score lay 2 to 22 discs from the exact one on the endgame test positions of
// 24 to 26 empty squares; with it, the five took 213 million deep nodes instead of 278 million, the 26-empty
// one 125 million instead of 189 million, though the 25-empty one whose line lay 22 discs off took 7 million
// instead of 5 million.
int TStrongSolver::SolveExactly(TBits own, TBits opponent, int lower, int upper, int guess)
{
    const int empties = PopCount(~(own | opponent));
    if (empties < NullWindowEmpties) {
        const int v = Solve(own, opponent, lower - 1, upper + 1);
        return stopped_ ? 0 : v;
    }
    const int firstLower = lower;
    const int firstUpper = upper;
    bool lineFollowed = empties < lineGuessEmpties_;
    int test = std::clamp(guess, lower + 1, upper);
    while (lower < upper) {
        const int v = Solve(own, opponent, test - 1, test);
        if (stopped_) {
            return 0;
        }
        const bool reached = v >= test;
        (reached ? lower : upper) = v;
        test = reached ? v + 1 : v;
        if (!lineFollowed) {
            lineFollowed = true;
            test = LineValue(own, opponent).value_or(test);
        } else if (lower > firstLower && upper < firstUpper && upper - lower > 2) {
            test = lower + (upper - lower + 1) / 2;
        }
        test = std::clamp(test, lower + 1, std::max(lower + 1, upper));
    }
    return lower;
}

// The score at the end of the line that follows the table's best moves from the position, solved exactly
// once it reaches LineEndEmpties empty squares; nothing where the table knows no move for a larger position.
std::optional<int> TStrongSolver::LineValue(TBits own, TBits opponent)
{
    int sign = 1;
    for (int empties = PopCount(~(own | opponent)); empties > LineEndEmpties; --empties) {
        TTableWindow window { -ExactInfinity, ExactInfinity };
        if (const std::optional<int> known = table_.Probe(own, opponent, empties, window)) {
            return sign * *known;
        }
        if (window.move == NoTableMove) {
            return std::nullopt;
        }
        const TSides child = SidesAfter(own, opponent, window.move, FlipMask(own, opponent, window.move));
        own = child.own;
        opponent = child.opponent;
        sign = -sign;
    }
    return sign * Solve(own, opponent, -ExactInfinity, ExactInfinity);
}

int TStrongSolver::SortedMoves(TBits own, TBits opponent, TSortedMoves& moves) const
{
    return OrderedMoves(own, opponent, MoveMask(own, opponent), NoTableMove, moves);
}

TOutcome TStrongSolver::Classify(TBits own, TBits opponent)
{
    const int score = Solve(own, opponent, -1, 1);
    return score > 0 ? TOutcome::Win : score < 0 ? TOutcome::Loss : TOutcome::Draw;
}

// A deep node without a move. The move mask settles whether the opponent has one: with this many empty
// squares it costs less than trying each of them.
inline int TStrongSolver::SolvePass(TBits own, TBits opponent, int alpha, int beta)
{
    if (MoveMask(opponent, own) == 0) {
        return Score(own, opponent);
    }
    return -Solve(opponent, own, -beta, -alpha);
}

inline int TStrongSolver::SolveDeep(TBits own, TBits opponent, int alpha, int beta, int empties)
{
    if (threads_ != nullptr ? CheckSharedStop() : CheckStop()) {
        return 0;
    }
    ++deepNodes_;
    if (empties == MessageEmpties && host_ != nullptr) {
        host_->ProcessMessages();
    }
    TTableWindow window { alpha, beta };
    if (const std::optional<int> known = table_.Probe(own, opponent, empties, window)) {
        return *known;
    }
    if (const std::optional<int> cap = StableCapAtOrBelow(own, opponent, window.alpha)) {
        return *cap;
    }
    const TBits legal = MoveMask(own, opponent);
    if (legal == 0) {
        return SolvePass(own, opponent, window.alpha, window.beta);
    }
    TSortedMoves moves;
    const int count = OrderedMoves(own, opponent, legal, window.move, moves);
    if (empties >= EtcEmpties) {
        if (const std::optional<int> cut = TableCut(moves, count, own, opponent, empties - 1, window.beta)) {
            return *cut;
        }
    }
    return SearchSorted(own, opponent, moves, count, window, empties);
}

// The sorted moves of a deep node: the first with the full window, the others with a null window above the
// best so far, searched again when they fail high. Keeps the result in the table unless stopped.
inline int TStrongSolver::SearchSorted(
    TBits own, TBits opponent, const TSortedMoves& moves, int count, const TTableWindow& window, int empties)
{
    const int beta = window.beta;
    int best = -ExactInfinity;
    int bestMove = NoTableMove;
    int floor = window.alpha;
    for (int i = 0; i < count; ++i) {
        if (i >= YoungBrothersWait && threads_ != nullptr && empties >= SplitEmpties && threads_->HasIdle()) {
            return SearchSplit(own, opponent, moves, count, window, empties, { i, floor, best, bestMove });
        }
        const TSides child = SidesAfter(own, opponent, moves[i].square, moves[i].flips);
        int v;
        if (i == 0) {
            v = -Solve(child.own, child.opponent, -beta, -floor);
        } else {
            v = -Solve(child.own, child.opponent, -floor - 1, -floor);
            if (v > floor && v < beta && !stopped_) {
                v = -Solve(child.own, child.opponent, -beta, -floor);
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
    table_.Store(own, opponent, empties, window.alpha, beta, best, bestMove);
    return best;
}

// CheckStop for a solver with threads: a stop asked of the host is relayed to all of them, and the abort of
// a split point above the node ends its search.
bool TStrongSolver::CheckSharedStop()
{
    if (!stopped_ && host_ != nullptr && host_->StopRequested()) {
        threads_->RequestStop();
    }
    stopped_ = stopped_ || threads_->Aborted(splitPoint_);
    return stopped_;
}

// The moves of a deep node from `start.next` on, searched by the threads of the solve. Keeps the result in
// the table unless stopped.
int TStrongSolver::SearchSplit(TBits own, TBits opponent, const TSortedMoves& moves, int count,
    const TTableWindow& window, int empties, const TSplitStart& start)
{
    TSplitPoint point { own, opponent, &moves, count, window.beta, splitPoint_, start.next, start.floor,
        start.best, start.bestMove };
    threads_->Search(point, *this);
    if (stopped_) {
        return 0;
    }
    table_.Store(own, opponent, empties, window.alpha, window.beta, point.best, point.bestMove);
    return point.best;
}

// A move after the first of a node, as SearchSorted searches it: a null window above `floor`, searched again
// within (floor, beta) when it fails high.
int TStrongSolver::SearchLaterMove(TBits own, TBits opponent, int floor, int beta)
{
    int v = -Solve(own, opponent, -floor - 1, -floor);
    if (v > floor && v < beta && !stopped_) {
        v = -Solve(own, opponent, -beta, -floor);
    }
    return v;
}

// Fills `moves` with the legal moves sorted best first; returns their number.
inline int TStrongSolver::OrderedMoves(
    TBits own, TBits opponent, TBits legal, int tableMove, TSortedMoves& moves) const
{
    const TBits odd = ParitySquares[QuadrantParity(~(own | opponent))];
    // The children's table buckets are fetched from memory while the moves are sorted.
    const bool childrenUseTable = PopCount(~(own | opponent)) - 1 > TableEmpties;
    int count = 0;
    while (legal != 0) {
        const int square = std::countr_zero(legal);
        legal &= legal - 1;
        const TBits flips = FlipMask(own, opponent, square);
        const TSides child = SidesAfter(own, opponent, square, flips);
        const TBits replies = MoveMask(child.own, child.opponent);
        int key = FastestFirstKey(child.own, child.opponent, replies, square);
        key += (SquareBit(square) & odd) ? 4 : 0;
        key += square == tableMove ? (1 << 30) : 0;
        moves[count++] = { square, flips, key };
        if (childrenUseTable) {
            table_.Prefetch(child.own, child.opponent);
        }
    }
    // Insertion sort: stable, and unlike std::stable_sort it allocates nothing.
    for (int i = 1; i < count; ++i) {
        const TSortedMove move = moves[i];
        int j = i;
        for (; j > 0 && moves[j - 1].key < move.key; --j) {
            moves[j] = moves[j - 1];
        }
        moves[j] = move;
    }
    return count;
}

// The cut the search would make at a child whose stored upper bound is at most -beta, without searching it.
inline std::optional<int> TStrongSolver::TableCut(
    const TSortedMoves& moves, int count, TBits own, TBits opponent, int childEmpties, int beta) const
{
    for (int i = 0; i < count; ++i) {
        const TSides child = SidesAfter(own, opponent, moves[i].square, moves[i].flips);
        if (const std::optional<int> cut = table_.Cut(child.own, child.opponent, childEmpties, beta)) {
            return cut;
        }
    }
    return std::nullopt;
}

} // namespace kalvoro::engine
