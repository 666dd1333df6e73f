#include "ExactSolver.h"

#include "ListOrderSolve.h"
#include "SearchOrder.h"
#include "StrongSolver.h"

namespace kalvoro::engine {

int SolveExactStrong(const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
    ISolverHost& host, TExactTable& table)
{
    if (host.StopRequested()) {
        return 0;
    }
    TSearchOrder order;
    if (!ToSearchOrder(board, list, order)) {
        return SolveExact(board, list, colour, passed, bound, host);
    }
    const TBitBoard bits = ToBitBoard(board);
    const TSides sides = SidesOf(bits, colour);
    // The last square is settled by whoever can take it, passed or not.
    if (passed && list.count != 1 && MoveMask(sides.own, sides.opponent) == 0) {
        return DiscDifference(bits);
    }
    TStrongSolver solver(table, &host);
    return ListOrderExact(solver, bits, order, colour, bound);
}

int SolveWinLossFast(const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
    ISolverHost& host, TExactTable& table)
{
    return SolveWinLossFastWith(SelfProvingEmpties, board, list, colour, passed, bound, host, table);
}

int SolveWinLossFastWith(int selfProvingEmpties, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int bound, ISolverHost& host, TExactTable& table)
{
    if (host.StopRequested()) {
        return 0;
    }
    TSearchOrder order;
    if (!ToSearchOrder(board, list, order)) {
        return SolveWinLoss(board, list, colour, passed, bound, host);
    }
    return FastWinLossValue(table, host, selfProvingEmpties, ToBitBoard(board), order, colour, passed, bound);
}

int ExactScore(const TBoard& board, int colour, TExactTable& table)
{
    std::uint64_t deepNodes = 0;
    return ExactScore(board, colour, table, deepNodes);
}

int ExactScore(const TBoard& board, int colour, TExactTable& table, std::uint64_t& deepNodes)
{
    const TBitBoard bits = ToBitBoard(board);
    TStrongSolver solver(table, nullptr);
    const int score
        = solver.Solve(OwnDiscs(bits, colour), OwnDiscs(bits, -colour), -ExactInfinity, ExactInfinity);
    deepNodes += solver.DeepNodes();
    return score;
}

} // namespace kalvoro::engine
