// The computer player's loop over its root moves, with the searches on worker threads.
//
// The calling thread (the window's) writes the status texts, draws the debug values, tells the observer and
// processes the window's messages every few milliseconds while the workers search, relaying a stop request
// to them through an atomic flag. Root moves are accepted in list order exactly as the loop in list order
// would: a later move replaces the best only when strictly better, and each move's value is the one its
// search gives for the best root value before it. With several workers, a move is searched as soon as a
// worker is free, with the best value known then (the first move may be searched by all of them together,
// before any other; a worker that finds no move left may lend its thread to the searches still running; an
// exact solve starts only once the moves before it are known to leave the best as it is). A
// mid-game search keeps the trace of its node (TBestTrace), which gives its value for the better best that
// the moves before it may have found since, and reads that best as a live bound while it runs; an exact
// solve's value holds for the newer best where the search says so (valueHolds). A move whose value does not
// hold is searched again.
#pragma once

#include "Board.h"
#include "Hosts.h"
#include "Search.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace kalvoro::engine {

// A legal root move and the position after it.
struct TRootMove {
    TSquare square;
    TBoard child;
    TSquareList childList;
};

// One root move's search on a worker: the bound it starts with and the one the moves before it tighten while
// it runs (a traced search may end as soon as it reaches it), the stop, the nodes counted, the trace to fill
// (null: none wanted), the threads it may use and, when it may use more than its own only while they are
// idle, the idle workers to borrow them from (null: it has them to itself).
struct TChildSearch {
    TTracedBound bound;
    const TStopFlag& stop;
    std::uint64_t& nodes;
    TBestTrace* trace;
    int threads;
    TIdleThreads* idleWorkers = nullptr;
    // To be called (on the searching thread) once the search knows that the move will not beat its bound.
    std::function<void()> boundNotBeaten = {};
};

// How the root moves are valued: the status prefix, whether the loop ends at the first move that does not
// lose, whether debug mode shows the values, how many workers search at once, the child's value r for a
// bound in Black's terms (on a worker thread, with the threads it may use; it fills `trace` when given one),
// and the root value v of a move from r (larger is better for the side to move).
struct TRootSearch {
    const char* prefix;
    bool endAtFirstNonLoss;
    bool showsDebugValues;
    int workers = 1;
    bool traced = false;
    // Whether the first move is searched alone, by all the workers together, before any other starts.
    bool sharesFirstMove = false;
    std::function<int(const TRootMove& move, const TChildSearch& child)> childValue;
    std::function<int(int r, TSquare square)> rootValue;
    // For a search without a trace: whether the child's value r for the bound it was searched with is also
    // its value for another bound (null: only for the same bound).
    std::function<bool(int r, int searchedBound, int bound)> valueHolds;
    // Whether a move searched while others are may borrow the workers left idle, so that the last moves
    // searched do not leave them waiting.
    bool borrowsIdleWorkers = false;
    // Whether the child searches call boundNotBeaten. A move is then searched only once every move before it
    // still to be accepted is known not to beat its bound, so that its bound is final; meanwhile the worker
    // lends its thread. A solve with a bound that the moves before it raise later may cost several times one
    // with the bound they leave (P:22 of the bench: 508 ms against 185 ms).
    bool waitsForFinalBound = false;
};

struct TRootChoice {
    TSquare move {};
    int best = 0;
    bool stopped = false;
    std::uint64_t nodes = 0;
};

// Sees every root move's value as soon as it has been accepted, in list order.
using TRootObserver = std::function<void(TSquare square, int value)>;

// Values the legal root moves of `side` (`moves`, in list order) and chooses the first of the best. Writes
// the status text of each move before its value is accepted, draws its debug value when `debugMode` and
// the search shows them, and returns stopped as soon as the host reports a stop, leaving the best move so
// far in the result.
TRootChoice ChooseRootMove(const std::vector<TRootMove>& moves, int side, bool debugMode,
    const TRootSearch& search, IThinkHost& host, const TRootObserver& observer);

} // namespace kalvoro::engine
