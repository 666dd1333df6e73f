#include "ExactSolver.h"

#include "ListOrderSolve.h"
#include "ParallelSolve.h"
#include "SearchOrder.h"
#include "StrongSolver.h"

namespace kalvoro::engine {

int SolveExactStrong(const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
    ISolverHost& host, TExactTable& table, int threads, TIdleThreads* borrowed)
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
    const std::unique_ptr<TSolveThreads> helpers = MakeSolveThreads(table, threads, list.count, borrowed);
    TStrongSolver solver(table, &host, helpers.get());
    return ListOrderExact(solver, host, bits, order, colour, bound);
}

int SolveWinLossFast(const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
    ISolverHost& host, TExactTable& table, int threads, TIdleThreads* borrowed)
{
    return SolveWinLossFastWith(
        SelfProvingEmpties, board, list, colour, passed, bound, host, table, threads, borrowed);
}

int SolveWinLossFastWith(int selfProvingEmpties, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int bound, ISolverHost& host, TExactTable& table, int threads, TIdleThreads* borrowed)
{
    if (host.StopRequested()) {
        return 0;
    }
    TSearchOrder order;
    if (!ToSearchOrder(board, list, order)) {
        return SolveWinLoss(board, list, colour, passed, bound, host);
    }
    const std::unique_ptr<TSolveThreads> helpers = MakeSolveThreads(table, threads, list.count, borrowed);
    return FastWinLossValue(
        table, host, selfProvingEmpties, ToBitBoard(board), order, colour, passed, bound, helpers.get());
}

int ExactScore(const TBoard& board, int colour, TExactTable& table, int threads)
{
    std::uint64_t deepNodes = 0;
    return ExactScore(board, colour, table, deepNodes, threads);
}

int ExactScore(const TBoard& board, int colour, TExactTable& table, std::uint64_t& deepNodes, int threads)
{
    const TBitBoard bits = ToBitBoard(board);
    const std::unique_ptr<TSolveThreads> helpers
        = MakeSolveThreads(table, threads, PopCount(~(bits.black | bits.white)));
    TStrongSolver solver(table, nullptr, helpers.get());
    const int score
        = solver.SolveExactly(OwnDiscs(bits, colour), OwnDiscs(bits, -colour), -MaxScore, MaxScore, 0);
    deepNodes += solver.DeepNodes();
    return score;
}

} // namespace kalvoro::engine
