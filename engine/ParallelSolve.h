// The threads that share one solve of the strong solver (young brothers wait).
//
// A deep node with at least SplitEmpties empty squares searches its first two moves alone. When a thread is
// idle after that, the node becomes a split point: its remaining moves are handed out one at a time to the
// thread that owns the node and to every thread that joins, each searched with a null window above the best
// so far and searched again when it fails high, as the one-thread search does. A move that reaches beta
// aborts the split point, and every search below it returns at its next deep node, writing nothing to the
// table. A thread whose own moves are done waits for the others and meanwhile joins the split points below
// its own, so no thread idles while work under it remains.
//
// A solve may also be given the idle threads of a root search to borrow (TIdleThreads): its helpers then
// search only while they hold one of them, so that the solves of several root moves at once together use
// no more threads than the root search has, and the last of them gets the threads the others have left.
//
// Only the thread that called the solve talks to the host: it looks at the stop request at its deep nodes
// and, while it waits, every few milliseconds. A stop is relayed to the helpers through a flag they look at
// at their deep nodes. The helpers are created with the solve and ended with it; nothing is static.
#pragma once

#include "ExactTable.h"
#include "Hosts.h"
#include "StrongSolver.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kalvoro::engine {

// Solves with fewer empty squares than this run on the calling thread alone.
constexpr int ParallelEmpties = 16;

// A deep node whose remaining moves several threads search. Its fields below `parent` are guarded by the
// mutex of the TSolveThreads that searches it.
struct TSplitPoint {
    TBits own;
    TBits opponent;
    const TSortedMoves* moves;
    int count;
    int beta;
    TSplitPoint* parent;
    int next;
    int floor;
    int best;
    int bestMove;
    int helpers = 0;
    std::atomic<bool> aborted = false;
};

class TSolveThreads {
public:
    // Starts `threads - 1` helper threads that search split points with `table`, which becomes shared
    // until the object ends; the helpers end with it. With `borrowed`, a helper searches only while it
    // holds one of those threads.
    TSolveThreads(TExactTable& table, int threads, TIdleThreads* borrowed = nullptr);
    ~TSolveThreads();
    TSolveThreads(const TSolveThreads&) = delete;
    TSolveThreads& operator=(const TSolveThreads&) = delete;

    // Whether a thread waits for work, so that a node gains by splitting.
    bool HasIdle() const
    {
        return idle_.load(std::memory_order_relaxed) > 0
            && (borrowed_ == nullptr || borrowed_->load(std::memory_order_relaxed) > 0);
    }

    // Ends every search of the solve at its next deep node.
    void RequestStop() { stopped_.store(true, std::memory_order_relaxed); }

    // Whether a search below `point` (null: outside every split point) is to end: the solve was stopped or
    // one of the split points above it was aborted.
    bool Aborted(const TSplitPoint* point) const
    {
        if (stopped_.load(std::memory_order_relaxed)) {
            return true;
        }
        for (; point != nullptr; point = point->parent) {
            if (point->aborted.load(std::memory_order_relaxed)) {
                return true;
            }
        }
        return false;
    }

    // Searches the moves of `point` from its `next` on, with `owner` (whose thread created the point) and
    // the helpers that join; returns when all of them are done, the point's best then holding the result.
    void Search(TSplitPoint& point, TStrongSolver& owner);

private:
    void EndHelpers();
    void HelperLoop();
    void SearchMoves(TSplitPoint& point, TStrongSolver& solver, std::unique_lock<std::mutex>& lock);
    void WaitForHelpers(TSplitPoint& point, TStrongSolver& owner, std::unique_lock<std::mutex>& lock);
    void Join(TSplitPoint& point, ISolverHost* host, std::unique_lock<std::mutex>& lock);
    TSplitPoint* JoinableBelow(const TSplitPoint* ancestor) const;
    bool BorrowThread();
    void ReturnThread();

    TExactTable& table_;
    TIdleThreads* borrowed_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<TSplitPoint*> open_;
    bool ending_ = false;
    std::atomic<int> idle_ = 0;
    std::atomic<bool> stopped_ = false;
    std::vector<std::jthread> helpers_;
};

// The threads for a solve of a position with `empties` empty squares on `threads` threads, sharing `table`
// (and borrowing from `borrowed`, if given); null when the calling thread solves alone (one thread, or too
// few empty squares to gain).
std::unique_ptr<TSolveThreads> MakeSolveThreads(
    TExactTable& table, int threads, int empties, TIdleThreads* borrowed = nullptr);

} // namespace kalvoro::engine
