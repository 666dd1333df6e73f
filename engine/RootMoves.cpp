#include "RootMoves.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace kalvoro::engine {

namespace {

// Below every root value, so that the first legal move is always chosen.
constexpr int NoValueYet = -32768;

// How long the calling thread waits for the workers before it lets the window process its messages again:
// short enough that the window answers at once, long enough to cost nothing.
constexpr std::chrono::milliseconds MessageInterval { 10 };

std::string StatusText(const char* prefix, int side, TSquare square)
{
    return std::string(prefix) + ColourName(side) + " is thinking " + SquareName(square.x, square.y);
}

enum class TSlotState { Waiting, Searching, Searched };

// A root move's searches: the bound of the last one, the child's value for it and its trace.
struct TSlot {
    TSlotState state = TSlotState::Waiting;
    int bound = 0;
    int r = 0;
    TBestTrace trace;
    std::uint64_t nodes = 0;
    // The move is known not to beat the bound it is searched with, so it leaves the best as it is: the best
    // only rises, so this holds for every later search of it too.
    bool leavesBest = false;
};

// The state the workers share with the calling thread, all of it under one lock. The workers search and
// accept the searched moves in list order; the calling thread shows what was accepted.
class TRootRun {
public:
    TRootRun(const std::vector<TRootMove>& moves, int side, const TRootSearch& search)
        : moves_(moves)
        , side_(side)
        , search_(search)
        , slots_(moves.size())
        , values_(moves.size())
    {
    }

    // A worker's loop: takes the first move waiting to be searched until no more searches are wanted.
    void Work()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            WaitForWork(lock);
            if (finished_) {
                return;
            }
            const int index = NextToSearch();
            TSlot& slot = slots_[static_cast<std::size_t>(index)];
            slot.state = TSlotState::Searching;
            const int bound = best_ * side_;
            lock.unlock();
            TBestTrace trace;
            std::uint64_t nodes = 0;
            const bool sharedByAll = search_.sharesFirstMove && index == 0;
            const bool borrows = !sharedByAll && search_.borrowsIdleWorkers;
            const int threads = sharedByAll || borrows ? search_.workers : 1;
            const TTracedBound tracedBound { bound,
                search_.traced && search_.workers > 1 ? &liveBound_ : nullptr };
            const int r = search_.childValue(moves_[static_cast<std::size_t>(index)],
                { tracedBound, stop_, nodes, search_.traced ? &trace : nullptr, threads,
                    borrows ? &idleWorkers_ : nullptr, [this, index] { MarkLeavesBest(index); } });
            lock.lock();
            slot.state = TSlotState::Searched;
            slot.bound = bound;
            slot.r = r;
            slot.trace = trace;
            slot.nodes += nodes;
            AcceptInOrder();
            changed_.notify_all();
        }
    }

    // Waits up to `interval` for a move to be accepted or the run to end; returns the number accepted.
    int WaitForProgress(int shown, std::chrono::milliseconds interval)
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, interval, [this, shown] { return accepted_ > shown || finished_; });
        return accepted_;
    }

    // Ends the run: no more searches start and those under way end at once.
    void Finish()
    {
        const std::lock_guard lock(mutex_);
        finished_ = true;
        stop_.store(true, std::memory_order_relaxed);
        changed_.notify_all();
    }

    void RelayStop() { stop_.store(true, std::memory_order_relaxed); }

    int Value(int index) const
    {
        const std::lock_guard lock(mutex_);
        return values_[static_cast<std::size_t>(index)];
    }

    std::uint64_t Nodes() const
    {
        const std::lock_guard lock(mutex_);
        std::uint64_t nodes = 0;
        for (const TSlot& slot : slots_) {
            nodes += slot.nodes;
        }
        return nodes;
    }

private:
    void MarkLeavesBest(int index)
    {
        const std::lock_guard lock(mutex_);
        slots_[static_cast<std::size_t>(index)].leavesBest = true;
        changed_.notify_all();
    }

    // Whether a move still to be accepted is known to leave the best as it is: the moves after it then have
    // their final bound. A move searched with an older, lower bound and not beating it leaves the best too.
    bool LeavesBest(const TSlot& slot, int index) const
    {
        const bool searchedBelowBound = slot.state == TSlotState::Searched
            && search_.rootValue(slot.r, moves_[static_cast<std::size_t>(index)].square)
                <= slot.bound * side_;
        return slot.leavesBest || searchedBelowBound;
    }

    // Waits until a move is to be searched or the run ends, counted meanwhile among the idle workers.
    void WaitForWork(std::unique_lock<std::mutex>& lock)
    {
        const auto ready = [this] { return finished_ || NextToSearch() >= 0; };
        if (!ready()) {
            idleWorkers_.fetch_add(1, std::memory_order_relaxed);
            changed_.wait(lock, ready);
            idleWorkers_.fetch_sub(1, std::memory_order_relaxed);
        }
    }

    // The first move to search: the next to accept, or with several workers any later move waiting. The
    // first move may be searched by all the workers together, and then alone; otherwise the others start
    // without a bound while it is searched: their traces still give their values for any bound, and a worker
    // would wait otherwise. A search that waits for the final bound starts no move after one that may still
    // raise the best. -1 when none.
    int NextToSearch() const
    {
        const int count = static_cast<int>(slots_.size());
        const bool alone = search_.workers == 1 || (search_.sharesFirstMove && accepted_ == 0);
        const int last = alone ? std::min(accepted_ + 1, count) : count;
        for (int index = accepted_; index < last; ++index) {
            const TSlot& slot = slots_[static_cast<std::size_t>(index)];
            if (slot.state == TSlotState::Waiting) {
                return index;
            }
            if (EndsTheLoop(slot, index) || (search_.waitsForFinalBound && !LeavesBest(slot, index))) {
                return -1;
            }
        }
        return -1;
    }

    // Whether a searched move ends a loop that ends at the first move that does not lose. No move after it is
    // needed then, whichever move ends the loop, so a free worker lends its thread to the searches still
    // running instead of starting one: on the fast analysis's positions a worker that went on speculated on
    // moves that were never shown while a long proof of a loss before them ran alone. Should the moves before
    // it leave it a bound its value does not hold for, it waits to be searched again and no longer ends it.
    bool EndsTheLoop(const TSlot& slot, int index) const
    {
        return search_.endAtFirstNonLoss && slot.state == TSlotState::Searched
            && search_.rootValue(slot.r, moves_[static_cast<std::size_t>(index)].square) >= 0;
    }

    // The value of a searched move for the bound the moves before it give it, when its search tells.
    std::optional<int> ChildValueForBound(const TSlot& slot, int bound) const
    {
        if (slot.bound == bound) {
            return slot.r;
        }
        if (search_.traced) {
            return ValueForBound(slot.trace, bound);
        }
        if (search_.valueHolds && search_.valueHolds(slot.r, slot.bound, bound)) {
            return slot.r;
        }
        return std::nullopt;
    }

    // Accepts the searched moves in list order as the loop in list order would, up to the first move not
    // searched yet; a move searched with a bound its trace cannot answer for waits to be searched again.
    void AcceptInOrder()
    {
        const int count = static_cast<int>(slots_.size());
        while (!finished_ && !stop_.load(std::memory_order_relaxed)) {
            if (accepted_ == count || (search_.endAtFirstNonLoss && accepted_ > 0 && best_ >= 0)) {
                finished_ = true;
                break;
            }
            TSlot& slot = slots_[static_cast<std::size_t>(accepted_)];
            if (slot.state != TSlotState::Searched) {
                break;
            }
            const std::optional<int> r = ChildValueForBound(slot, best_ * side_);
            if (!r) {
                slot.state = TSlotState::Waiting;
                break;
            }
            const TSquare square = moves_[static_cast<std::size_t>(accepted_)].square;
            const int v = search_.rootValue(*r, square);
            values_[static_cast<std::size_t>(accepted_)] = v;
            if (accepted_ == 0 || v > best_) {
                best_ = v;
                liveBound_.store(best_ * side_, std::memory_order_relaxed);
            }
            ++accepted_;
        }
    }

    const std::vector<TRootMove>& moves_;
    const int side_;
    const TRootSearch& search_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<TSlot> slots_;
    std::vector<int> values_;
    int accepted_ = 0;
    int best_ = NoValueYet;
    // best_ as the bound of the moves being searched.
    TLiveBound liveBound_ { NoValueYet * side_ };
    bool finished_ = false;
    TStopFlag stop_ { false };
    // The workers waiting for a move to search, lent to the solves of the moves being searched.
    TIdleThreads idleWorkers_ { 0 };
};

// What the calling thread shows of the run: the status texts, the debug values, the observer and the choice,
// in list order, and whether the host asked to stop.
class TRootShow {
public:
    TRootShow(const std::vector<TRootMove>& moves, int side, bool debugMode, const TRootSearch& search,
        IThinkHost& host, const TRootObserver& observer)
        : moves_(moves)
        , side_(side)
        , debugMode_(debugMode)
        , search_(search)
        , host_(host)
        , observer_(observer)
    {
    }

    // The status text of move `index` and the messages processed after it; false when asked to stop.
    bool Announce(int index)
    {
        host_.SetStatusText(
            StatusText(search_.prefix, side_, moves_[static_cast<std::size_t>(index)].square));
        host_.ProcessMessages();
        return !host_.StopRequested();
    }

    // Shows the accepted move `index` with its value v; false when asked to stop.
    bool Accept(int index, int v, TRootChoice& choice)
    {
        const TSquare square = moves_[static_cast<std::size_t>(index)].square;
        if (search_.showsDebugValues && debugMode_) {
            host_.DrawDebugValue(square.x, square.y, v);
        }
        if (host_.StopRequested()) {
            return false;
        }
        if (observer_) {
            observer_(square, v);
        }
        if (choice.move.x == 0 || v > choice.best) {
            choice.move = square;
            choice.best = v;
        }
        const int next = index + 1;
        const bool loopEnds = search_.endAtFirstNonLoss && choice.best >= 0;
        return next == static_cast<int>(moves_.size()) || loopEnds || Announce(next);
    }

    // Whether every move the loop in list order would value has been shown.
    bool Done(int shown, const TRootChoice& choice) const
    {
        return shown == static_cast<int>(moves_.size())
            || (search_.endAtFirstNonLoss && shown > 0 && choice.best >= 0);
    }

    IThinkHost& Host() { return host_; }

private:
    const std::vector<TRootMove>& moves_;
    const int side_;
    const bool debugMode_;
    const TRootSearch& search_;
    IThinkHost& host_;
    const TRootObserver& observer_;
};

// Shows the moves as they are accepted and processes messages meanwhile, until every wanted move is shown
// or the host asks to stop.
void ShowUntilDone(TRootRun& run, TRootShow& show, TRootChoice& choice)
{
    int shown = 0;
    while (!show.Done(shown, choice)) {
        const int accepted = run.WaitForProgress(shown, MessageInterval);
        if (accepted == shown) {
            show.Host().ProcessMessages();
            if (show.Host().StopRequested()) {
                choice.stopped = true;
                return;
            }
            continue;
        }
        for (; shown < accepted; ++shown) {
            if (!show.Accept(shown, run.Value(shown), choice)) {
                choice.stopped = true;
                return;
            }
            if (show.Done(shown + 1, choice)) {
                return;
            }
        }
    }
}

} // namespace

TRootChoice ChooseRootMove(const std::vector<TRootMove>& moves, int side, bool debugMode,
    const TRootSearch& search, IThinkHost& host, const TRootObserver& observer)
{
    TRootChoice choice { {}, NoValueYet, false, 0 };
    if (moves.empty()) {
        return choice;
    }
    TRootShow show(moves, side, debugMode, search, host, observer);
    if (!show.Announce(0)) {
        choice.stopped = true;
        return choice;
    }
    TRootRun run(moves, side, search);
    {
        std::vector<std::jthread> workers;
        for (int worker = 0; worker < std::max(1, search.workers); ++worker) {
            workers.emplace_back([&run] { run.Work(); });
        }
        ShowUntilDone(run, show, choice);
        if (choice.stopped) {
            run.RelayStop();
        }
        run.Finish();
    }
    choice.nodes = run.Nodes();
    return choice;
}

} // namespace kalvoro::engine
