#include "ListOrderSolve.h"

#include <algorithm>
#include <optional>

namespace kalvoro::engine {

namespace {

// Losing nodes of the self-proving search with this many empty squares or more try their best moves first.
constexpr int SortedLossEmpties = 6;

// The result of a side that a win of its opponent leaves it with, and the other way round.
inline TOutcome Opposite(TOutcome outcome)
{
    return outcome == TOutcome::Win ? TOutcome::Loss : outcome == TOutcome::Loss ? TOutcome::Win : outcome;
}

// Whether a side loses (or wins), found by searching, and the value of the same tree as OwnValue when it
// does: the value from the losing side's view, exact when above the floor.
struct TProved {
    bool holds;
    int value;
};

// The value of the list-order win-or-loss search with the stop request and message processing of the
// solvers (see the module comment of ListOrderSolve.h).
class TFastWinLoss {
public:
    TFastWinLoss(TExactTable& table, ISolverHost& host, int selfProvingEmpties, TSolveThreads* threads)
        : host_(host)
        , solver_(table, &host, threads)
        , selfProvingEmpties_(selfProvingEmpties)
    {
    }

    // Any bound: the list-order loop while the bound is 0 or on the wrong side, the short way below it.
    int Value(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int bound)
    {
        const bool strict = colour == Black ? bound > 0 : bound < 0;
        return strict ? colour * OwnValue(board, list, colour, passed, std::nullopt, -ExactInfinity)
                      : ListedValue(board, list, colour, passed, bound);
    }

private:
    // The stop request, and the messages at MessageEmpties empty squares, as every node sees them; true when
    // the search is to end.
    bool StopsAtEntry(const TSearchOrder& list)
    {
        if (solver_.CheckStop()) {
            return true;
        }
        if (list.count == MessageEmpties) {
            host_.ProcessMessages();
        }
        return false;
    }

    int ListedValue(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int bound);
    int OwnValue(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed,
        std::optional<TOutcome> outcome, int floor);
    TProved ProveLoss(TBits own, TBits opponent, const TSearchOrder& list, bool passed, int floor);
    TProved ProveLossInListOrder(TBits own, TBits opponent, TBits moves, const TSearchOrder& list, int floor);
    TProved ProveWin(TBits own, TBits opponent, const TSearchOrder& list, bool passed, int floor);
    std::optional<TProved> SettledNode(
        TBits own, TBits opponent, const TSearchOrder& list, bool passed, TOutcome sought);
    int WinningValue(const TSearchOrder& list, int colour, const TSides& sides, TBits moves, int floor);
    int LosingValue(
        const TBitBoard& board, const TSearchOrder& list, int colour, const TSides& sides, int floor);
    template <class Visit>
    bool UntilBestFirst(TBits own, TBits opponent, const TSearchOrder& list, Visit visit);

    ISolverHost& host_;
    TStrongSolver solver_;
    int selfProvingEmpties_;
};

// The losing side ends at -1 at best, so once its best so far is -1 no node below can beat it: the node ends
// with -1 (from the side to move's view, +1 when the side to move wins).
std::optional<int> CapAtOrBelowFloor(std::optional<TOutcome> outcome, int floor)
{
    if (!outcome || *outcome == TOutcome::Draw || floor < -1) {
        return std::nullopt;
    }
    return *outcome == TOutcome::Win ? 1 : -1;
}

int TFastWinLoss::ListedValue(
    const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int bound)
{
    if (StopsAtEntry(list)) {
        return 0;
    }
    const TSides sides = SidesOf(board, colour);
    if (list.count == 1) {
        return colour * LastSquareScore(sides.own, sides.opponent, list.squares[0]);
    }
    const TBits moves = MoveMask(sides.own, sides.opponent);
    if (moves == 0) {
        return passed ? DiscDifference(board)
                      : -colour * OwnValue(board, list, -colour, true, std::nullopt, -ExactInfinity);
    }
    int best = colour == Black ? -9999 : 9999;
    UntilInListOrder(
        sides.own, sides.opponent, moves, list, [&](int square, TBits flips, const TSearchOrder& childList) {
            const int v = Value(PlayMove(board, colour, square, flips), childList, -colour, false, best);
            if (colour == Black ? v <= best : v >= best) {
                return false;
            }
            best = v;
            return colour == Black ? (best >= bound || best > 0) : (best <= bound || best < 0);
        });
    return best;
}

// The value below a strict bound, from the side to move's view, `outcome` being the side's result when the
// caller knows it. Under a losing node every node of the losing side is a loss again and every node of the
// winner plays its first winning move, so the losing node's value is the largest final score the losing side
// reaches in that tree: no node of it needs its exact value unless the value beats the losing side's best so
// far, `floor` (from the losing side's view, whichever side is to move). A node that cannot beat the floor
// returns a value at or below it; every other node returns its exact value.
int TFastWinLoss::OwnValue(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed,
    std::optional<TOutcome> outcome, int floor)
{
    if (StopsAtEntry(list)) {
        return 0;
    }
    const TSides sides = SidesOf(board, colour);
    if (list.count == 1) {
        return LastSquareScore(sides.own, sides.opponent, list.squares[0]);
    }
    const TBits moves = MoveMask(sides.own, sides.opponent);
    if (moves == 0) {
        if (passed) {
            return colour * DiscDifference(board);
        }
        const std::optional<TOutcome> passedOutcome
            = outcome ? std::optional { Opposite(*outcome) } : outcome;
        return -OwnValue(board, list, -colour, true, passedOutcome, floor);
    }
    if (const std::optional<int> cap = CapAtOrBelowFloor(outcome, floor)) {
        return *cap;
    }
    const TOutcome known = outcome ? *outcome : solver_.Classify(sides.own, sides.opponent);
    if (known == TOutcome::Draw || solver_.Stopped()) {
        return 0;
    }
    if (list.count <= selfProvingEmpties_) {
        return known == TOutcome::Win ? -ProveWin(sides.own, sides.opponent, list, passed, floor).value
                                      : ProveLoss(sides.own, sides.opponent, list, passed, floor).value;
    }
    return known == TOutcome::Win ? WinningValue(list, colour, sides, moves, floor)
                                  : LosingValue(board, list, colour, sides, floor);
}

// Whether the side owning `own`, to move, loses: every move it has leaves the opponent winning. Once the
// floor is -1 only that result matters, and the strong solver tells it.
TProved TFastWinLoss::ProveLoss(TBits own, TBits opponent, const TSearchOrder& list, bool passed, int floor)
{
    if (const std::optional<TProved> settled = SettledNode(own, opponent, list, passed, TOutcome::Loss)) {
        return *settled;
    }
    const TBits moves = MoveMask(own, opponent);
    if (moves == 0) {
        return ProveWin(opponent, own, list, true, floor);
    }
    if (floor >= -1) {
        return { solver_.Solve(own, opponent, -1, 0) < 0, -1 };
    }
    if (list.count < SortedLossEmpties) {
        return ProveLossInListOrder(own, opponent, moves, list, floor);
    }
    int best = -ExactInfinity;
    const bool escapes
        = UntilBestFirst(own, opponent, list, [&](const TSortedMove& move, const TSearchOrder& childList) {
              const TSides child = SidesAfter(own, opponent, move.square, move.flips);
              const TProved reply
                  = ProveWin(child.own, child.opponent, childList, false, std::max(floor, best));
              best = std::max(best, reply.value);
              return !reply.holds;
          });
    return escapes ? TProved { false, 0 } : TProved { true, best };
}

// ProveLoss near the end: the moves tried in list order, each one's turned discs found only when tried.
TProved TFastWinLoss::ProveLossInListOrder(
    TBits own, TBits opponent, TBits moves, const TSearchOrder& list, int floor)
{
    int best = -ExactInfinity;
    const bool escapes = UntilInListOrder(
        own, opponent, moves, list, [&](int square, TBits flips, const TSearchOrder& childList) {
            const TSides child = SidesAfter(own, opponent, square, flips);
            const TProved reply
                = ProveWin(child.own, child.opponent, childList, false, std::max(floor, best));
            best = std::max(best, reply.value);
            return !reply.holds;
        });
    return escapes ? TProved { false, 0 } : TProved { true, best };
}

// Whether the side owning `own`, to move, wins: one of its moves leaves the opponent losing, the first in
// list order giving the value. Once the floor is -1 only that result matters, and the strong solver tells it.
TProved TFastWinLoss::ProveWin(TBits own, TBits opponent, const TSearchOrder& list, bool passed, int floor)
{
    if (const std::optional<TProved> settled = SettledNode(own, opponent, list, passed, TOutcome::Win)) {
        return *settled;
    }
    const TBits moves = MoveMask(own, opponent);
    if (moves == 0) {
        return ProveLoss(opponent, own, list, true, floor);
    }
    if (floor >= -1) {
        return { solver_.Solve(own, opponent, 0, 1) > 0, -1 };
    }
    TProved win { false, 0 };
    UntilInListOrder(own, opponent, moves, list, [&](int square, TBits flips, const TSearchOrder& childList) {
        const TSides child = SidesAfter(own, opponent, square, flips);
        win = ProveLoss(child.own, child.opponent, childList, false, floor);
        return win.holds;
    });
    return win.holds ? win : TProved { false, 0 };
}

// The stop request, the messages, the last square and the end of the game, for a node asking whether the
// side to move has the result `sought`.
std::optional<TProved> TFastWinLoss::SettledNode(
    TBits own, TBits opponent, const TSearchOrder& list, bool passed, TOutcome sought)
{
    if (StopsAtEntry(list)) {
        return TProved { true, 0 };
    }
    int score;
    if (list.count == 1) {
        score = LastSquareScore(own, opponent, list.squares[0]);
    } else if (passed && MoveMask(own, opponent) == 0) {
        score = PopCount(own) - PopCount(opponent);
    } else {
        return std::nullopt;
    }
    // The value is always the loser's view: the side to move's for a loss, its opponent's for a win.
    return sought == TOutcome::Loss ? TProved { score < 0, score } : TProved { score > 0, -score };
}

// The value of the first move in list order after which the opponent loses.
int TFastWinLoss::WinningValue(
    const TSearchOrder& list, int colour, const TSides& sides, TBits moves, int floor)
{
    int value = 0;
    UntilInListOrder(
        sides.own, sides.opponent, moves, list, [&](int square, TBits flips, const TSearchOrder& childList) {
            const TSides child = SidesAfter(sides.own, sides.opponent, square, flips);
            // A null window just below 0 tells a loss of the opponent from the rest.
            if (solver_.Solve(child.own, child.opponent, -1, 0) >= 0) {
                return solver_.Stopped();
            }
            const TBitBoard childBoard = BoardOf(child.own, child.opponent, -colour);
            value = -OwnValue(childBoard, childList, -colour, false, TOutcome::Loss, floor);
            return true;
        });
    return solver_.Stopped() ? 0 : value;
}

// The best of all moves' values, every one a win of the opponent. Their order does not change the largest
// value, so the moves are tried best first (as the strong solver sorts them), which raises the floor early.
int TFastWinLoss::LosingValue(
    const TBitBoard& board, const TSearchOrder& list, int colour, const TSides& sides, int floor)
{
    int best = -ExactInfinity;
    UntilBestFirst(
        sides.own, sides.opponent, list, [&](const TSortedMove& move, const TSearchOrder& childList) {
            const TBitBoard child = PlayMove(board, colour, move.square, move.flips);
            best = std::max(
                best, -OwnValue(child, childList, -colour, false, TOutcome::Win, std::max(floor, best)));
            return solver_.Stopped();
        });
    return solver_.Stopped() ? 0 : best;
}

// The slot of `square` in `list`, which holds it.
int SlotOf(const TSearchOrder& list, int square)
{
    int k = 0;
    while (list.squares[k] != square) {
        ++k;
    }
    return k;
}

// Calls `visit(move, childList)` for the legal moves best first, as the strong solver sorts them, until it
// returns true; returns whether it did.
template <class Visit>
bool TFastWinLoss::UntilBestFirst(TBits own, TBits opponent, const TSearchOrder& list, Visit visit)
{
    TSortedMoves sorted;
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

// The window of the strong solve, from the side to move's view: exact below the returned beta.
int StrongBeta(int colour, int bound)
{
    return std::clamp(colour == Black ? bound : -bound, -ExactInfinity + 2, ExactInfinity);
}

// The value of the first child in list order whose score reaches `bound` (see the module comment), once the
// node's own score is known to reach it.
int FirstChildReaching(TStrongSolver& solver, const TSides& sides, TBits moves, const TSearchOrder& list,
    int colour, int bound, int nodeValue)
{
    // In the child's view the bound is reached at a score of at most `threshold`.
    const int threshold = -colour * bound;
    int value = nodeValue;
    UntilInListOrder(
        sides.own, sides.opponent, moves, list, [&](int square, TBits flips, const TSearchOrder&) {
            const TSides child = SidesAfter(sides.own, sides.opponent, square, flips);
            const bool reaches = threshold >= 64
                || (threshold >= -64
                    && solver.Solve(child.own, child.opponent, threshold, threshold + 1) <= threshold);
            if (solver.Stopped()) {
                value = 0;
                return true;
            }
            // The child's score is at most `threshold` then, so a window closed just above it gives it
            // exactly.
            if (reaches) {
                value = -colour
                    * solver.Solve(
                        child.own, child.opponent, -ExactInfinity, std::min(threshold + 1, ExactInfinity));
            }
            return reaches;
        });
    return value;
}

} // namespace

int ListOrderExact(TStrongSolver& solver, ISolverHost& host, const TBitBoard& board, const TSearchOrder& list,
    int colour, int bound)
{
    const TSides sides = SidesOf(board, colour);
    const TBits moves = MoveMask(sides.own, sides.opponent);
    if (list.count <= 1 || moves == 0) {
        return colour * solver.Solve(sides.own, sides.opponent, -ExactInfinity, ExactInfinity);
    }
    const int beta = StrongBeta(colour, bound);
    if (beta > MaxScore) {
        return colour * solver.SolveExactly(sides.own, sides.opponent, -MaxScore, MaxScore, 0);
    }
    // A null window settles cheaply which side of the bound the value lies on; only a value below it is
    // needed exactly.
    int score = solver.Solve(sides.own, sides.opponent, beta - 1, beta);
    if (score < beta && !solver.Stopped()) {
        score = solver.Solve(sides.own, sides.opponent, -ExactInfinity, beta);
    }
    if (score < beta || solver.Stopped()) {
        return colour * score;
    }
    host.BoundNotBeaten();
    return FirstChildReaching(solver, sides, moves, list, colour, bound, colour * score);
}

int FastWinLossValue(TExactTable& table, ISolverHost& host, int selfProvingEmpties, const TBitBoard& board,
    const TSearchOrder& list, int colour, bool passed, int bound, TSolveThreads* threads)
{
    TFastWinLoss search(table, host, selfProvingEmpties, threads);
    return search.Value(board, list, colour, passed, bound);
}

} // namespace kalvoro::engine
