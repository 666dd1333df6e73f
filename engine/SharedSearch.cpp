// The mid-game search of a root move on several threads.
//
// The nodes along the search's first line share their moves out: a node searches its first move first (itself
// shared out while enough plies remain below it), then its later moves at once, one per thread, each with the
// node's best value accepted when it starts and that value as a live bound while it runs. A node's bound only
// decides where it stops (its children get its own best as theirs), so each later move's trace gives its
// value for the best the moves before it leave, and the node's value and trace are those of the search in
// list order on one thread. The nodes of the first line get no bound from their parents (the first move of a
// node starts from the node's starting value), so the moves searched at once are rarely wasted.
#include "MidGameNode.h"

#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace kalvoro::engine {

using namespace midgame;

namespace {

// The plies a node needs below it for its moves to be shared out: below that they are searched too fast for
// threads to pay.
constexpr int SplitMinPlies = 4;

// What the threads of one shared search have in common.
struct TSplitContext {
    const TStopFlag& stop;
    int threads;
    std::uint64_t* nodes;
    std::mutex nodesMutex;
};

struct TMoveToSearch {
    int square;
    TBitBoard child;
    TSearchOrder childList;
};

std::vector<TMoveToSearch> MovesInListOrder(const TBitBoard& board, const TSearchOrder& list, int colour)
{
    const TSides sides = SidesOf(board, colour);
    const TBits moves = MoveMask(sides.own, sides.opponent);
    std::vector<TMoveToSearch> result;
    const int last = list.count - 1;
    for (int k = 0; k < list.count; ++k) {
        const int square = list.squares[k];
        if (!(moves & SquareBit(square))) {
            continue;
        }
        TSearchOrder childList = list;
        childList.squares[k] = list.squares[last];
        childList.count = last;
        result.push_back({ square,
            PlayMove(board, colour, square, FlipMask(sides.own, sides.opponent, square)), childList });
    }
    return result;
}

// The node searched on this thread alone, keeping its trace.
template <class Terms>
int SearchAlone(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int depth,
    int bound, const TLiveBound* liveBound, TSplitContext& context, TBestTrace& trace)
{
    trace = TBestTrace {};
    const TTraceInto into { trace, liveBound };
    const TEndRule rule { context.stop, into.LiveCut() };
    if (context.nodes == nullptr) {
        TStoppable counter { rule };
        trace.value = SearchBits<Terms>(board, list, colour, passed, depth, bound, counter, into);
        return trace.value;
    }
    TStoppableCount counter { rule };
    trace.value = SearchBits<Terms>(board, list, colour, passed, depth, bound, counter, into);
    const std::lock_guard lock(context.nodesMutex);
    *context.nodes += counter.nodes;
    return trace.value;
}

template <class Terms>
int SearchShared(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int depth,
    int bound, TSplitContext& context, TBestTrace& trace);

// The later moves of a shared node, searched at once by its threads. Searched moves are accepted in list
// order as they come in, only to give the moves starting later the best bound known.
template <class Terms> class TLaterMoves {
public:
    TLaterMoves(const std::vector<TMoveToSearch>& moves, int colour, int depth, int nodeTerm, int bound,
        int firstBest, TSplitContext& context)
        : moves_(moves)
        , colour_(colour)
        , depth_(depth)
        , nodeTerm_(nodeTerm)
        , bound_(bound)
        , traces_(moves.size())
        , searched_(moves.size(), false)
        , acceptedBest_(firstBest)
        , liveBest_(firstBest)
        , context_(context)
    {
    }

    // Searches the later moves on every thread of the shared search, this one included.
    void SearchAtOnce()
    {
        std::vector<std::jthread> helpers;
        for (int helper = 1; helper < context_.threads; ++helper) {
            helpers.emplace_back([this] { Work(); });
        }
        Work();
    }

    // The value of move `index` for `bound`: read off its trace, or searched again when the trace cannot
    // tell (or the move was never searched, the node having reached its bound before).
    int ValueFor(int index, int bound)
    {
        const std::size_t at = static_cast<std::size_t>(index);
        if (searched_[at]) {
            if (const std::optional<int> r = ValueForBound(traces_[at], bound)) {
                return *r;
            }
        }
        TBestTrace trace;
        const TMoveToSearch& move = moves_[at];
        return SearchAlone<Terms>(
            move.child, move.childList, -colour_, false, depth_ + 1, bound, nullptr, context_, trace);
    }

private:
    // One thread's loop: takes the next move not yet searched until none is left or the node has ended.
    void Work()
    {
        for (;;) {
            std::unique_lock lock(mutex_);
            if (next_ == static_cast<int>(moves_.size()) || cut_) {
                return;
            }
            const int index = next_++;
            const int bound = acceptedBest_;
            lock.unlock();
            TBestTrace trace;
            const TMoveToSearch& move = moves_[static_cast<std::size_t>(index)];
            SearchAlone<Terms>(
                move.child, move.childList, -colour_, false, depth_ + 1, bound, &liveBest_, context_, trace);
            lock.lock();
            traces_[static_cast<std::size_t>(index)] = trace;
            searched_[static_cast<std::size_t>(index)] = true;
            AcceptInOrder();
        }
    }

    void AcceptInOrder()
    {
        const bool maximises = Terms::Maximises(colour_);
        while (
            accepted_ < static_cast<int>(moves_.size()) && searched_[static_cast<std::size_t>(accepted_)]) {
            const std::optional<int> r
                = ValueForBound(traces_[static_cast<std::size_t>(accepted_)], acceptedBest_);
            if (!r) {
                return;
            }
            const TMoveToSearch& move = moves_[static_cast<std::size_t>(accepted_)];
            const int v = *r + nodeTerm_ + Terms::MoveTerm(BitX(move.square), BitY(move.square), colour_);
            ++accepted_;
            if (Improves(maximises, v, acceptedBest_)) {
                acceptedBest_ = v;
                liveBest_.store(v, std::memory_order_relaxed);
                if (ReachesBound(maximises, acceptedBest_, bound_)) {
                    cut_ = true;
                    return;
                }
            }
        }
    }

    const std::vector<TMoveToSearch>& moves_;
    const int colour_;
    const int depth_;
    const int nodeTerm_;
    const int bound_;
    std::vector<TBestTrace> traces_;
    std::vector<bool> searched_;
    std::mutex mutex_;
    int next_ = 1;
    int accepted_ = 1;
    int acceptedBest_;
    // acceptedBest_ for the moves being searched, which end as soon as they reach it.
    TLiveBound liveBest_;
    // Whether the node reached its bound: no more moves are searched.
    bool cut_ = false;
    TSplitContext& context_;
};

// The value of the first move, shared out further while enough plies remain below it.
template <class Terms>
int FirstMoveValue(const TMoveToSearch& move, int colour, int depth, int bound, TSplitContext& context)
{
    TBestTrace trace;
    if (NodeDepthLimit - (depth + 1) >= SplitMinPlies) {
        return SearchShared<Terms>(
            move.child, move.childList, -colour, false, depth + 1, bound, context, trace);
    }
    return SearchAlone<Terms>(
        move.child, move.childList, -colour, false, depth + 1, bound, nullptr, context, trace);
}

template <class Terms>
int SearchShared(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int depth,
    int bound, TSplitContext& context, TBestTrace& trace)
{
    const std::vector<TMoveToSearch> moves = MovesInListOrder(board, list, colour);
    if (moves.size() < 2 || context.stop.load(std::memory_order_relaxed)) {
        return SearchAlone<Terms>(board, list, colour, passed, depth, bound, nullptr, context, trace);
    }
    trace = TBestTrace {};
    const bool maximises = Terms::Maximises(colour);
    trace.maximises = maximises;
    const int nodeTerm = Terms::NodeTerm(board);
    const auto moveValue = [&](std::size_t index, int r) {
        const TMoveToSearch& move = moves[index];
        return r + nodeTerm + Terms::MoveTerm(BitX(move.square), BitY(move.square), colour);
    };
    int best = Terms::Start(colour);
    // Takes a move's value as the search in list order does; true when the node ends there.
    const auto accept = [&](int v) {
        if (!Improves(maximises, v, best)) {
            return false;
        }
        best = v;
        trace.improvements[static_cast<std::size_t>(trace.count++)] = best;
        trace.cut = ReachesBound(maximises, best, bound);
        return trace.cut;
    };
    if (!accept(moveValue(0, FirstMoveValue<Terms>(moves[0], colour, depth, best, context)))) {
        TLaterMoves<Terms> later(moves, colour, depth, nodeTerm, bound, best, context);
        later.SearchAtOnce();
        for (std::size_t index = 1;
             index < moves.size() && !accept(moveValue(index, later.ValueFor(static_cast<int>(index), best)));
             ++index) { }
    }
    trace.value = best;
    return best;
}

} // namespace

int SearchTraced(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int depth, const TTracedBound& bound, const TStopFlag& stop, std::uint64_t* nodes,
    TBestTrace& trace, int threads)
{
    TSearchOrder order;
    if (!ToSearchOrder(board, list, order)) {
        trace = TBestTrace {};
        const TTraceInto into { trace, bound.live };
        const TEndRule rule { stop, into.LiveCut() };
        if (nodes == nullptr) {
            TStoppable counter { rule };
            trace.value
                = SearchVariant(variant, board, list, colour, passed, depth, bound.start, counter, into);
            return trace.value;
        }
        TStoppableCount counter { rule };
        trace.value = SearchVariant(variant, board, list, colour, passed, depth, bound.start, counter, into);
        *nodes += counter.nodes;
        return trace.value;
    }
    TSplitContext context { stop, threads, nodes, {} };
    const TBitBoard bits = ToBitBoard(board);
    // A shared node reads no live bound: its own ends where the bound it started with says, which its trace
    // answers for as well.
    const bool shared = threads > 1 && NodeDepthLimit - depth >= SplitMinPlies;
    return WithTerms(variant, [&]<class Terms>() {
        return shared
            ? SearchShared<Terms>(bits, order, colour, passed, depth, bound.start, context, trace)
            : SearchAlone<Terms>(bits, order, colour, passed, depth, bound.start, bound.live, context, trace);
    });
}

} // namespace kalvoro::engine
