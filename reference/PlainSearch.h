// A deliberately plain second implementation of the evaluation terms, the six mid-game searches, the two
// endgame solvers and the mid-game root loop of the computer player, written straight from the rules of the
// game engine and kept independent of the engine's own evaluation and search code. Tests compare every faster
// engine against it, value for value and node for node.
//
// Only the rule operations of engine/Board.h are shared (they are checked on their own against
// support/ReferenceRules.h). Nodes are counted as calls of the node function.
#pragma once

#include "engine/Board.h"
#include "engine/Search.h"

#include <cstdint>
#include <vector>

namespace kalvoro::reference {

using namespace kalvoro::engine;

namespace plain {

inline int Weight(int x, int y)
{
    static const int weights[8][8] = {
        { 100, -13, 5, 5, 5, 5, -13, 100 },
        { -13, -50, -2, -2, -2, -2, -50, -13 },
        { 5, -2, 0, 0, 0, 0, -2, 5 },
        { 5, -2, 0, 0, 0, 0, -2, 5 },
        { 5, -2, 0, 0, 0, 0, -2, 5 },
        { 5, -2, 0, 0, 0, 0, -2, 5 },
        { -13, -50, -2, -2, -2, -2, -50, -13 },
        { 100, -13, 5, 5, 5, 5, -13, 100 },
    };
    return weights[y - 1][x - 1];
}

inline bool OnBoard(int x, int y)
{
    return x >= 1 && x <= 8 && y >= 1 && y <= 8;
}

// Squares of `colour` from (x + dx, y + dy) onwards, stopping at the first other square or the board's edge.
inline int Walk(const TBoard& board, int x, int y, int dx, int dy, int colour)
{
    int count = 0;
    x += dx;
    y += dy;
    while (OnBoard(x, y) && Cell(board, x, y) == colour) {
        ++count;
        x += dx;
        y += dy;
    }
    return count;
}

inline int StableEdges(const TBoard& board, int colour)
{
    int count = 0;
    if (Cell(board, 1, 1) == colour) {
        count += Walk(board, 1, 1, 0, 1, colour) + Walk(board, 1, 1, 1, 0, colour);
    }
    if (Cell(board, 1, 8) == colour) {
        count += Walk(board, 1, 8, 0, -1, colour) + Walk(board, 1, 8, 1, 0, colour);
    }
    if (Cell(board, 8, 8) == colour) {
        count += Walk(board, 8, 8, 0, -1, colour) + Walk(board, 8, 8, -1, 0, colour);
    }
    if (Cell(board, 8, 1) == colour) {
        count += Walk(board, 8, 1, 0, 1, colour) + Walk(board, 8, 1, -1, 0, colour);
    }
    return count;
}

inline int EdgeBalance(const TBoard& board)
{
    return StableEdges(board, 1) - StableEdges(board, -1);
}

inline int Mobility(const TBoard& board, const TSquareList& list)
{
    return CountMobility(board, list, 1) - CountMobility(board, list, -1);
}

inline int Graded(const TBoard& board, const TSquareList& list)
{
    return 4 * Mobility(board, list) + 20 * EdgeBalance(board);
}

inline int Leaf(TSearchVariant variant, const TBoard& board, const TSquareList& list, int t)
{
    switch (variant) {
    case TSearchVariant::Discs:
    case TSearchVariant::FewestDiscs:
        return DiscDifference(board);
    case TSearchVariant::Mobility:
    case TSearchVariant::Weighted:
        return Mobility(board, list);
    case TSearchVariant::MobilityEdges:
        return t * CountMobility(board, list, t) + 16 * EdgeBalance(board);
    case TSearchVariant::Graded:
        return Graded(board, list);
    }
    return 0;
}

inline int NodeTerm(TSearchVariant variant, const TBoard& board, const TSquareList& list)
{
    if (variant == TSearchVariant::Mobility) {
        return Mobility(board, list);
    }
    if (variant == TSearchVariant::Graded) {
        return Graded(board, list);
    }
    return 0;
}

inline int MoveTerm(TSearchVariant variant, int x, int y, int t)
{
    if (variant == TSearchVariant::Weighted || variant == TSearchVariant::Graded) {
        return t == 1 ? Weight(x, y) : -Weight(x, y);
    }
    return 0;
}

inline int PassValue(TSearchVariant variant, int v, const TBoard& board, const TSquareList& list, int t)
{
    switch (variant) {
    case TSearchVariant::Discs:
    case TSearchVariant::FewestDiscs:
    case TSearchVariant::MobilityEdges:
        return v;
    case TSearchVariant::Mobility:
        return v + Mobility(board, list);
    case TSearchVariant::Weighted:
        return v - 100 * t;
    case TSearchVariant::Graded:
        return v + Graded(board, list) - 100 * t;
    }
    return 0;
}

inline int SignOfDiscs(const TBoard& board)
{
    const int d = DiscDifference(board);
    return d > 0 ? 1 : d < 0 ? -1 : 0;
}

inline int EndValue(TSearchVariant variant, const TBoard& board, const TSquareList& list, int t)
{
    switch (variant) {
    case TSearchVariant::Discs:
    case TSearchVariant::FewestDiscs:
        return DiscDifference(board);
    case TSearchVariant::Mobility:
    case TSearchVariant::Weighted:
        return 10000 * SignOfDiscs(board);
    case TSearchVariant::MobilityEdges:
        if (t == 1) {
            return CountMobility(board, list, 1) + 5 * StableEdges(board, 1);
        }
        return -10 * StableEdges(board, -1) - CountMobility(board, list, -1);
    case TSearchVariant::Graded:
        return 20000 * SignOfDiscs(board);
    }
    return 0;
}

inline int StartValue(TSearchVariant variant, int t)
{
    if (variant == TSearchVariant::FewestDiscs) {
        return t == 1 ? 9999 : -9999;
    }
    if (variant == TSearchVariant::Graded) {
        return t == 1 ? -29999 : 29999;
    }
    return t == 1 ? -9999 : 9999;
}

inline bool Maximises(TSearchVariant variant, int t)
{
    return variant == TSearchVariant::FewestDiscs ? t == -1 : t == 1;
}

// The mid-game search of `variant`; `depthLimit` plays the part of NodeDepthLimit.
inline int Search(TSearchVariant variant, const TBoard& board, const TSquareList& list, int t, bool passed,
    int depth, int bound, int depthLimit, std::uint64_t* nodes = nullptr)
{
    if (nodes != nullptr) {
        ++*nodes;
    }
    const int nodeTerm = NodeTerm(variant, board, list);
    if (depth == depthLimit) {
        return Leaf(variant, board, list, t);
    }
    int best = StartValue(variant, t);
    bool found = false;
    for (int k = 0; k < list.count; ++k) {
        const int x = list.squares[k].x;
        const int y = list.squares[k].y;
        TBoard child;
        if (!MakeMove(board, child, x, y, t)) {
            continue;
        }
        found = true;
        const int r
            = Search(variant, child, ChildList(list, k), -t, false, depth + 1, best, depthLimit, nodes);
        const int v = r + nodeTerm + MoveTerm(variant, x, y, t);
        if (Maximises(variant, t)) {
            if (v > best) {
                best = v;
                if (best >= bound) {
                    return best;
                }
            }
        } else {
            if (v < best) {
                best = v;
                if (best <= bound) {
                    return best;
                }
            }
        }
    }
    if (found) {
        return best;
    }
    if (passed) {
        return EndValue(variant, board, list, t);
    }
    const int v = Search(variant, board, list, -t, true, depth + 1, best, depthLimit, nodes);
    return PassValue(variant, v, board, list, t);
}

// SolveExact (winLoss false) or SolveWinLoss (winLoss true).
inline int Solve(const TBoard& board, const TSquareList& list, int t, bool passed, int bound, bool winLoss,
    ISolverHost& host, std::uint64_t* nodes = nullptr)
{
    if (nodes != nullptr) {
        ++*nodes;
    }
    if (host.StopRequested()) {
        return 0;
    }
    if (list.count == 1) {
        const int x = list.squares[0].x;
        const int y = list.squares[0].y;
        TBoard child;
        if (MakeMove(board, child, x, y, t)) {
            return DiscDifference(child);
        }
        if (MakeMove(board, child, x, y, -t)) {
            return DiscDifference(child);
        }
        return DiscDifference(board);
    }
    if (list.count == 12) {
        host.ProcessMessages();
    }
    int best = t == 1 ? -9999 : 9999;
    bool found = false;
    for (int k = 0; k < list.count; ++k) {
        TBoard child;
        if (!MakeMove(board, child, list.squares[k].x, list.squares[k].y, t)) {
            continue;
        }
        found = true;
        const int v = Solve(child, ChildList(list, k), -t, false, best, winLoss, host, nodes);
        if (t == 1 && v > best) {
            best = v;
            if (best >= bound || (winLoss && best > 0)) {
                return best;
            }
        }
        if (t == -1 && v < best) {
            best = v;
            if (best <= bound || (winLoss && best < 0)) {
                return best;
            }
        }
    }
    if (found) {
        return best;
    }
    if (passed) {
        return DiscDifference(board);
    }
    return Solve(board, list, -t, true, best, winLoss, host, nodes);
}

// A host that never stops and counts the message-processing calls.
struct TCountingHost : ISolverHost {
    int messageCalls = 0;
    bool stop = false;
    bool StopRequested() override { return stop; }
    void ProcessMessages() override { ++messageCalls; }
};

// The value the computer player compares for a root move of `variant` at (x, y), from the search value r of
// the position after it; s is the computer's colour.
inline int RootValue(TSearchVariant variant, int s, int r, int x, int y)
{
    const int w = Weight(x, y);
    switch (variant) {
    case TSearchVariant::Discs:
        return 2 * s * r + w;
    case TSearchVariant::FewestDiscs:
        return w - s * r;
    case TSearchVariant::Mobility:
        return s * r + 3 * w;
    default:
        return s * r + w;
    }
}

struct TRootMove {
    int x;
    int y;
    int value;
};

// The mid-game root loop of the computer player for side s on `board` with node depth `depthLimit`: every
// legal move in list order with its root value, each root child getting best * s as its bound (best starting
// at -32768); the chosen move is the first one with the largest value.
inline std::vector<TRootMove> MidgameRootValues(
    TSearchVariant variant, const TBoard& board, int s, int depthLimit)
{
    std::vector<TRootMove> moves;
    const TSquareList list = BuildEmptyList(board);
    int best = -32768;
    for (int k = 0; k < list.count; ++k) {
        const int x = list.squares[k].x;
        const int y = list.squares[k].y;
        TBoard child;
        if (!MakeMove(board, child, x, y, s)) {
            continue;
        }
        const int r = Search(variant, child, ChildList(list, k), -s, false, 1, best * s, depthLimit);
        const int v = RootValue(variant, s, r, x, y);
        moves.push_back({ x, y, v });
        if (moves.size() == 1 || v > best) {
            best = v;
        }
    }
    return moves;
}

} // namespace plain

} // namespace kalvoro::reference
