// The strong solver: negamax alpha-beta over bitboards, from the side to move's view.
//
// Nodes with more than TableEmpties empty squares probe and fill the transposition table, look at the stop
// request, sort their moves fastest-first (the table's move first, then fewest replies for the opponent, then
// the mover's corner discs, the opponent's potential moves and the kind of square, MoveOrder.h) and search
// all but the first with a null window, re-searching when it fails high. Nodes with fewer empty squares try
// the squares of odd quadrants first (parity) without sorting, and the last empty square is settled by
// counting. Two cutoffs end a node early, each on a true bound beyond its window: a child whose stored upper
// bound already makes the node fail high (from EtcEmpties up), and the cap that the opponent's stable discs
// put on the score when it lies at or below alpha. As with any fail-soft alpha-beta, such bounds change no
// exact value and no side of the window a value falls on, which is all the callers use. Values are the final
// disc difference with empty squares counting nothing, as in every solver of the program. A search that was
// stopped writes nothing to the table. Given the threads of a solve
// (ParallelSolve.h), nodes with many empty squares share their moves out among them, with the same values.
#pragma once

#include "Bitboard.h"
#include "ExactTable.h"
#include "Hosts.h"

#include <array>
#include <cstdint>
#include <optional>

namespace kalvoro::engine {

// Who wins a position under best play, from the side to move's view.
enum class TOutcome { Loss, Draw, Win };

// A legal move, the discs it turns and the key it is sorted by.
struct TSortedMove {
    int square;
    TBits flips;
    int key;
};

using TSortedMoves = std::array<TSortedMove, 32>;

class TSolveThreads;
struct TSplitPoint;

class TStrongSolver {
public:
    // Solves with `table`; `host` may be null, and then nothing stops the solve and no messages are
    // processed. With `threads` (null: the calling thread alone) big nodes are searched by all of them; the
    // host is then called from this solver's thread only.
    TStrongSolver(TExactTable& table, ISolverHost* host, TSolveThreads* threads = nullptr)
        : table_(table)
        , host_(host)
        , threads_(threads)
    {
    }

    bool Stopped() const { return stopped_; }

    // The nodes with more than the last few empty squares this solver visited so far (those that sort their
    // moves); with threads, those of the calling thread.
    std::uint64_t DeepNodes() const { return deepNodes_; }

    // Looks at the stop request now; true when the solve is to end. Called between solves on the thread
    // that owns the solver; the solve's own nodes look at its threads' stop as well.
    bool CheckStop()
    {
        stopped_ = stopped_ || (host_ != nullptr && host_->StopRequested());
        return stopped_;
    }

    // The score of the side owning `own`, to move: exact when it lies strictly inside (alpha, beta),
    // otherwise a bound on the same side of the window as the exact score. 0 once stopped.
    int Solve(TBits own, TBits opponent, int alpha, int beta);

    // The exact score of the side owning `own`, to move, known to lie in [lower, upper], found by null-window
    // searches starting at `guess` (in large trees, the second starts at the end of the line the first
    // leaves in the table). The same as Solve's with a window around [lower, upper], for fewer nodes.
    // 0 once stopped.
    int SolveExactly(TBits own, TBits opponent, int lower, int upper, int guess);

    // From how many empty squares up SolveExactly goes on from the line its first test leaves in the table;
    // the tests set it lower to take those steps on trees small enough for them.
    void SetLineGuessEmpties(int empties) { lineGuessEmpties_ = empties; }

    // The legal moves, best first as the solver tries them; returns their number.
    int SortedMoves(TBits own, TBits opponent, TSortedMoves& moves) const;

    TOutcome Classify(TBits own, TBits opponent);

private:
    friend class TSolveThreads;

    // Where a node's sequential search stands when it becomes a split point.
    struct TSplitStart {
        int next;
        int floor;
        int best;
        int bestMove;
    };

    bool CheckSharedStop();
    std::optional<int> LineValue(TBits own, TBits opponent);
    int SearchSplit(TBits own, TBits opponent, const TSortedMoves& moves, int count,
        const TTableWindow& window, int empties, const TSplitStart& start);
    int SearchLaterMove(TBits own, TBits opponent, int floor, int beta);
    int SolveDeep(TBits own, TBits opponent, int alpha, int beta, int empties);
    int SolvePass(TBits own, TBits opponent, int alpha, int beta);
    int SearchSorted(TBits own, TBits opponent, const TSortedMoves& moves, int count,
        const TTableWindow& window, int empties);
    int OrderedMoves(TBits own, TBits opponent, TBits legal, int tableMove, TSortedMoves& moves) const;
    std::optional<int> TableCut(
        const TSortedMoves& moves, int count, TBits own, TBits opponent, int childEmpties, int beta) const;

    TExactTable& table_;
    ISolverHost* host_;
    TSolveThreads* threads_;
    // The innermost split point this solver searches a move of, whose abort ends the search.
    TSplitPoint* splitPoint_ = nullptr;
    bool stopped_ = false;
    std::uint64_t deepNodes_ = 0;
    // The number of empty squares from which the largest trees start; in the endgame test positions the
    // tests from the line's score visited fewer nodes from 24 up, and about as many or more below.
    int lineGuessEmpties_ = 24;
};

} // namespace kalvoro::engine
