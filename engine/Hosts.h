// What the engine asks of its caller while it searches: whether to stop, a chance to let the window handle
// its messages, and (for the computer player) places to show what it is doing.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <utility>

namespace kalvoro::engine {

// The solvers let the host process messages at every node with exactly this many empty squares.
constexpr int MessageEmpties = 12;

// What a long solve needs of its caller: whether the user asked it to stop, and a chance to let the window
// handle its pending messages (at every node with MessageEmpties empty squares).
class ISolverHost {
public:
    virtual ~ISolverHost() = default;
    virtual bool StopRequested() = 0;
    virtual void ProcessMessages() = 0;
    // Told by a solve against its parent's bound as soon as it knows that the value will not beat the bound
    // (the parent keeps a best of at least the bound), long before it returns: a root search then knows the
    // bound of the moves after this one.
    virtual void BoundNotBeaten() { }
};

// What the computer player needs of its caller beyond a solve's stop flag and message processing.
class IThinkHost : public ISolverHost {
public:
    virtual void SetStatusText(const std::string& text) = 0;
    // The evaluation label of `colour`: "JOSEKI" or the value of the chosen move.
    virtual void SetEvalLabel(int colour, const std::string& text) = 0;
    // Debug mode: the value of a mid-game root move, shown on its square as soon as it is known.
    virtual void DrawDebugValue(int x, int y, int value) = 0;
};

// A request to stop, set by the thread that waits for a search and read by the threads that search.
using TStopFlag = std::atomic<bool>;

// The bound of a search that others tighten while it runs, as the moves before its own are settled: it only
// ever moves so that the search ends sooner.
using TLiveBound = std::atomic<int>;

// How many threads of a root search wait for work: the solve of another root move may borrow them, taking
// one by decrementing the count and giving it back by incrementing it.
using TIdleThreads = std::atomic<int>;

// The host of a solve on a worker thread: it stops when the flag is set and has no messages to process (the
// waiting thread processes them); it passes BoundNotBeaten on to `boundNotBeaten`, when given.
class TStopFlagHost : public ISolverHost {
public:
    explicit TStopFlagHost(const TStopFlag& stop, std::function<void()> boundNotBeaten = {})
        : stop_(stop)
        , boundNotBeaten_(std::move(boundNotBeaten))
    {
    }
    bool StopRequested() override { return stop_.load(std::memory_order_relaxed); }
    void ProcessMessages() override { }
    void BoundNotBeaten() override
    {
        if (boundNotBeaten_) {
            boundNotBeaten_();
        }
    }

private:
    const TStopFlag& stop_;
    std::function<void()> boundNotBeaten_;
};

// A host for callers with no window and no Stop button (the analysis, the benchmark, the command line,
// tests): it never stops a search and shows nothing.
class TQuietHost : public IThinkHost {
public:
    bool StopRequested() override { return false; }
    void ProcessMessages() override { }
    void SetStatusText(const std::string&) override { }
    void SetEvalLabel(int, const std::string&) override { }
    void DrawDebugValue(int, int, int) override { }
};

} // namespace kalvoro::engine
