#include "ParallelSolve.h"

#include <algorithm>
#include <chrono>

namespace kalvoro::engine {

namespace {

// How often the calling thread looks at the stop request while it waits for the helpers.
constexpr std::chrono::milliseconds StopPollInterval { 2 };

bool IsBelow(const TSplitPoint* point, const TSplitPoint* ancestor)
{
    for (const TSplitPoint* above = point->parent; above != nullptr; above = above->parent) {
        if (above == ancestor) {
            return true;
        }
    }
    return false;
}

} // namespace

std::unique_ptr<TSolveThreads> MakeSolveThreads(
    TExactTable& table, int threads, int empties, TIdleThreads* borrowed)
{
    return threads > 1 && empties >= ParallelEmpties
        ? std::make_unique<TSolveThreads>(table, threads, borrowed)
        : nullptr;
}

TSolveThreads::TSolveThreads(TExactTable& table, int threads, TIdleThreads* borrowed)
    : table_(table)
    , borrowed_(borrowed)
{
    table_.Share();
    try {
        helpers_.reserve(static_cast<std::size_t>(std::max(threads - 1, 0)));
        for (int i = 1; i < threads; ++i) {
            helpers_.emplace_back([this] { HelperLoop(); });
        }
    } catch (...) {
        EndHelpers();
        throw;
    }
}

TSolveThreads::~TSolveThreads()
{
    EndHelpers();
}

void TSolveThreads::EndHelpers()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    helpers_.clear();
    table_.Unshare();
}

void TSolveThreads::Search(TSplitPoint& point, TStrongSolver& owner)
{
    TSplitPoint* const outer = owner.splitPoint_;
    std::unique_lock lock(mutex_);
    open_.push_back(&point);
    changed_.notify_all();
    SearchMoves(point, owner, lock);
    WaitForHelpers(point, owner, lock);
    open_.erase(std::find(open_.begin(), open_.end(), &point));
    lock.unlock();
    // A cutoff at the point ends the searches below it, not the owner's.
    owner.stopped_ = Aborted(outer);
}

// Takes the point's next move until none is left or the point is aborted; `lock` is held on entry and exit.
void TSolveThreads::SearchMoves(TSplitPoint& point, TStrongSolver& solver, std::unique_lock<std::mutex>& lock)
{
    TSplitPoint* const outer = solver.splitPoint_;
    solver.splitPoint_ = &point;
    while (!point.aborted.load(std::memory_order_relaxed) && point.next < point.count) {
        const TSortedMove move = (*point.moves)[static_cast<std::size_t>(point.next++)];
        const int floor = point.floor;
        lock.unlock();
        const TSides child = SidesAfter(point.own, point.opponent, move.square, move.flips);
        const int v = solver.SearchLaterMove(child.own, child.opponent, floor, point.beta);
        lock.lock();
        if (solver.Stopped()) {
            break;
        }
        if (v > point.best) {
            point.best = v;
            point.bestMove = move.square;
            if (v >= point.beta) {
                point.aborted.store(true, std::memory_order_relaxed);
            } else {
                point.floor = std::max(point.floor, v);
            }
        }
    }
    solver.splitPoint_ = outer;
}

// Waits until no helper searches a move of `point`, meanwhile searching moves of the split points below it;
// the calling thread looks at the stop request as it waits. `lock` is held on entry and exit.
void TSolveThreads::WaitForHelpers(
    TSplitPoint& point, TStrongSolver& owner, std::unique_lock<std::mutex>& lock)
{
    while (point.helpers > 0) {
        if (TSplitPoint* below = JoinableBelow(&point)) {
            Join(*below, owner.host_, lock);
            continue;
        }
        idle_.fetch_add(1, std::memory_order_relaxed);
        changed_.wait_for(lock, StopPollInterval);
        idle_.fetch_sub(1, std::memory_order_relaxed);
        if (owner.host_ != nullptr && point.helpers > 0) {
            lock.unlock();
            if (owner.host_->StopRequested()) {
                RequestStop();
            }
            lock.lock();
        }
    }
}

// Searches moves of `point` as one of its helpers, with a solver of its own that calls `host` (the calling
// thread's, or null). `lock` is held on entry and exit.
void TSolveThreads::Join(TSplitPoint& point, ISolverHost* host, std::unique_lock<std::mutex>& lock)
{
    ++point.helpers;
    TStrongSolver solver(table_, host, this);
    SearchMoves(point, solver, lock);
    --point.helpers;
    changed_.notify_all();
}

// A helper's loop. A split point it may not join for want of a thread to borrow is looked at again every
// few milliseconds.
void TSolveThreads::HelperLoop()
{
    std::unique_lock lock(mutex_);
    while (!ending_) {
        TSplitPoint* const point = JoinableBelow(nullptr);
        if (point != nullptr && BorrowThread()) {
            Join(*point, nullptr, lock);
            ReturnThread();
            continue;
        }
        idle_.fetch_add(1, std::memory_order_relaxed);
        if (point != nullptr) {
            changed_.wait_for(lock, StopPollInterval);
        } else {
            changed_.wait(lock);
        }
        idle_.fetch_sub(1, std::memory_order_relaxed);
    }
}

// Takes one of the threads to borrow, if any is left; always succeeds without them.
bool TSolveThreads::BorrowThread()
{
    if (borrowed_ == nullptr) {
        return true;
    }
    int idle = borrowed_->load(std::memory_order_relaxed);
    while (idle > 0) {
        if (borrowed_->compare_exchange_weak(idle, idle - 1, std::memory_order_relaxed)) {
            return true;
        }
    }
    return false;
}

void TSolveThreads::ReturnThread()
{
    if (borrowed_ != nullptr) {
        borrowed_->fetch_add(1, std::memory_order_relaxed);
    }
}

// An open split point with a move left, below `ancestor` (null: anywhere), the oldest first.
TSplitPoint* TSolveThreads::JoinableBelow(const TSplitPoint* ancestor) const
{
    for (TSplitPoint* point : open_) {
        if (point->next < point->count && !Aborted(point)
            && (ancestor == nullptr || IsBelow(point, ancestor))) {
            return point;
        }
    }
    return nullptr;
}

} // namespace kalvoro::engine
