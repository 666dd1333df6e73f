// The mid-game search: depth-limited minimax with a one-sided cut, one procedure for all six variants.
//
// A node scores itself by the variant's leaf value when it lies at NodeDepthLimit plies from the root.
// Otherwise it tries its moves in list order, each child getting ChildList of the node's list and the node's
// best value so far as its bound; the value of a move is the child's value plus the node term and the move
// term. A strictly better value replaces the best, and reaching the bound (equality included) ends the node
// at once. A node without moves passes (one ply of the budget) or, right after the other side's pass, scores
// the finished game. The bound handed down includes the parent's node and move terms although the child
// compares its own values against it; the root values of the levels depend on exactly this.
//
// The search runs on bitboards (Bitboard.h): the side's move mask is built once per node and the list is
// walked in its order, trying only the squares in the mask, so the same moves are tried in the same order
// with the same bounds as on the cell board. Mobility over a node's list is the popcount of the move mask,
// the list holding exactly the empty squares. A list that does not (see SearchOrder.h) is searched on the
// cell board by the same procedure.
//
// Nodes are counted as calls of the node procedure: one per position visited, pass positions and leaves
// included.
//
// The node procedures are templates over the variant's terms, the counter (which also tells a search on a
// worker thread when to end) and the trace of a root move's node; Search.cpp and SharedSearch.cpp instantiate
// them.
#pragma once

#include "Evaluation.h"
#include "Search.h"
#include "SearchOrder.h"

#include <cstddef>

namespace kalvoro::engine::midgame {

// v improves on best for a side that maximises (or minimises).
inline bool Improves(bool maximises, int v, int best)
{
    return maximises ? v > best : v < best;
}

// best reaches the parent's bound for a side that maximises (or minimises).
inline bool ReachesBound(bool maximises, int best, int bound)
{
    return maximises ? best >= bound : best <= bound;
}

// A traced node with a live bound (TTracedBound): once its best so far reaches that bound, its trace tells
// its value for every bound it may still be given, and nothing below it needs searching any more.
struct TLiveCut {
    const TBestTrace* trace = nullptr;
    const TLiveBound* live = nullptr;
    bool Reached() const
    {
        return live != nullptr && trace->count > 0
            && ReachesBound(trace->maximises, trace->improvements[static_cast<std::size_t>(trace->count - 1)],
                live->load(std::memory_order_relaxed));
    }
};

// When a search on a worker thread is to end: at a stop, or once its traced node reaches its live bound.
struct TEndRule {
    const TStopFlag& stop;
    TLiveCut liveCut {};
    bool Reached() const { return stop.load(std::memory_order_relaxed) || liveCut.Reached(); }
};

// The counters of a search on a worker thread: they tell when it is to end, one also counts its nodes. They
// hold the rule by reference, so that the recursion hands down one pointer for it.
// The last plies below a node are searched with the plain counters (Unwatched), which never end a search.
struct TStoppable {
    const TEndRule& rule;
    static void Visit() { }
    bool Stopped() const { return rule.Reached(); }
    static TNoCount Unwatched() { return {}; }
};

struct TStoppableCount {
    const TEndRule& rule;
    std::uint64_t nodes = 0;
    void Visit() { ++nodes; }
    bool Stopped() const { return rule.Reached(); }
    TNodeCount Unwatched() { return { nodes }; }
};

// The plies at the end of a search on a worker thread that never look at its end rule: they are searched in
// microseconds, and the look, wherever it stands in the node procedure, costs the plain search's speed.
constexpr int UnwatchedPlies = 3;

// What a node keeps of its improvements: nothing (every node below the traced one), or its trace. The traced
// node also ends on reaching its live bound, when it has one.
struct TNoTrace {
    static void Start(bool) { }
    static void Improved(int) { }
    static void Cut() { }
    static int Bound(int bound) { return bound; }
    static constexpr bool LiveBoundReached() { return false; }
};

struct TTraceInto {
    TBestTrace& trace;
    const TLiveBound* liveBound = nullptr;
    void Start(bool maximises) { trace.maximises = maximises; }
    void Improved(int best) { trace.improvements[static_cast<std::size_t>(trace.count++)] = best; }
    void Cut() { trace.cut = true; }
    int Bound(int bound) const
    {
        return liveBound != nullptr ? liveBound->load(std::memory_order_relaxed) : bound;
    }
    bool LiveBoundReached() const { return TLiveCut { &trace, liveBound }.Reached(); }
    TLiveCut LiveCut() const { return { &trace, liveBound }; }
};

// The cell-board search, for lists that are not exactly the board's empty squares.
template <class Terms, class Counter, class Trace = TNoTrace>
int SearchCells(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound,
    Counter& counter, Trace trace = {})
{
    counter.Visit();
    const TCellPosition position { board, list };
    const int nodeTerm = Terms::NodeTerm(position);
    if (depth == NodeDepthLimit) {
        return Terms::Leaf(position, colour, nodeTerm);
    }
    // The leaves and their parents, most of the nodes, take no time to search; a stop is seen above them.
    if (depth < NodeDepthLimit - 1 && counter.Stopped()) {
        return 0;
    }
    const bool maximises = Terms::Maximises(colour);
    int best = Terms::Start(colour);
    bool moveFound = false;
    trace.Start(maximises);
    UntilInListOrder(
        board, list, colour, [&](TSquare square, const TBoard& child, const TSquareList& childList) {
            moveFound = true;
            const int returned
                = SearchCells<Terms>(child, childList, -colour, false, depth + 1, best, counter);
            if (trace.LiveBoundReached()) {
                trace.Cut();
                return true;
            }
            const int v = returned + nodeTerm + Terms::MoveTerm(square.x, square.y, colour);
            if (!Improves(maximises, v, best)) {
                return false;
            }
            best = v;
            trace.Improved(best);
            if (!ReachesBound(maximises, best, trace.Bound(bound))) {
                return false;
            }
            trace.Cut();
            return true;
        });
    if (moveFound) {
        return best;
    }
    if (passed) {
        return Terms::End(position, colour);
    }
    const int afterPass = SearchCells<Terms>(board, list, -colour, true, depth + 1, best, counter);
    return Terms::Pass(afterPass, nodeTerm, colour);
}

template <class Terms, class Counter, class Trace = TNoTrace>
int SearchBits(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int depth,
    int bound, Counter& counter, Trace trace = {});

// A child of a bitboard node; the last plies of a search on a worker thread are searched unwatched.
template <class Terms, class Counter>
int SearchChildBits(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int depth,
    int bound, Counter& counter)
{
    if constexpr (requires { counter.Unwatched(); }) {
        if (depth >= NodeDepthLimit - UnwatchedPlies) {
            auto unwatched = counter.Unwatched();
            return SearchBits<Terms>(board, list, colour, passed, depth, bound, unwatched);
        }
    }
    return SearchBits<Terms>(board, list, colour, passed, depth, bound, counter);
}

// The same search on bitboards. Everything it calls is inlined into it: it runs at nearly every node, and
// left to itself the compiler called the move generation and evaluation out of line in some instantiations.
template <class Terms, class Counter, class Trace>
[[gnu::flatten]] int SearchBits(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed,
    int depth, int bound, Counter& counter, Trace trace)
{
    counter.Visit();
    const int nodeTerm = Terms::NodeTerm(board);
    if (depth == NodeDepthLimit) {
        return Terms::Leaf(board, colour, nodeTerm);
    }
    if (depth < NodeDepthLimit - 1 && counter.Stopped()) {
        return 0;
    }
    const TSides sides = SidesOf(board, colour);
    const TBits moves = MoveMask(sides.own, sides.opponent);
    int best = Terms::Start(colour);
    if (moves != 0) {
        const bool maximises = Terms::Maximises(colour);
        trace.Start(maximises);
        // The list-order walk of SearchOrder.h written out: this loop runs at nearly every node of the
        // mid-game search, and the shared walk's callback measured slower here.
        const int last = list.count - 1;
        TSearchOrder childList = list;
        childList.count = last;
        for (int k = 0; k < list.count; ++k) {
            const int square = list.squares[k];
            if (!(moves & SquareBit(square))) {
                continue;
            }
            const TBitBoard child
                = PlayMove(board, colour, square, FlipMask(sides.own, sides.opponent, square));
            childList.squares[k] = list.squares[last];
            const int returned
                = SearchChildBits<Terms>(child, childList, -colour, false, depth + 1, best, counter);
            childList.squares[k] = static_cast<std::uint8_t>(square);
            // The value returned by a child cut short for a live bound is not used.
            if (trace.LiveBoundReached()) {
                trace.Cut();
                return best;
            }
            const int v = returned + nodeTerm + Terms::MoveTerm(BitX(square), BitY(square), colour);
            if (Improves(maximises, v, best)) {
                best = v;
                trace.Improved(best);
                if (ReachesBound(maximises, best, trace.Bound(bound))) {
                    trace.Cut();
                    return best;
                }
            }
        }
        return best;
    }
    if (passed) {
        return Terms::End(board, colour);
    }
    const int afterPass = SearchChildBits<Terms>(board, list, -colour, true, depth + 1, best, counter);
    return Terms::Pass(afterPass, nodeTerm, colour);
}

// Converts once and searches on bitboards, or on the cell board when the list is not the empty squares.
template <class Terms, class Counter, class Trace = TNoTrace>
int SearchNode(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound,
    Counter& counter, Trace trace = {})
{
    TSearchOrder order;
    if (!ToSearchOrder(board, list, order)) {
        return SearchCells<Terms>(board, list, colour, passed, depth, bound, counter, trace);
    }
    return SearchBits<Terms>(ToBitBoard(board), order, colour, passed, depth, bound, counter, trace);
}

// Calls `action` with the terms of `variant` as its template argument.
template <class Action> int WithTerms(TSearchVariant variant, Action&& action)
{
    switch (variant) {
    case TSearchVariant::Discs:
        return action.template operator()<TDiscTerms>();
    case TSearchVariant::FewestDiscs:
        return action.template operator()<TFewestDiscTerms>();
    case TSearchVariant::Mobility:
        return action.template operator()<TMobilityTerms>();
    case TSearchVariant::MobilityEdges:
        return action.template operator()<TMobilityEdgeTerms>();
    case TSearchVariant::Weighted:
        return action.template operator()<TWeightedTerms>();
    case TSearchVariant::Graded:
        break;
    }
    return action.template operator()<TGradedTerms>();
}

template <class Counter, class Trace = TNoTrace>
int SearchVariant(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int depth, int bound, Counter& counter, Trace trace = {})
{
    return WithTerms(variant, [&]<class Terms>() {
        return SearchNode<Terms>(board, list, colour, passed, depth, bound, counter, trace);
    });
}

} // namespace kalvoro::engine::midgame
