#include "BenchFfo.h"

#include "FfoPositions.h"

#include "engine/ExactSolver.h"

#include <chrono>
#include <cstdint>
#include <iomanip>

namespace kalvoro::cli {

using namespace kalvoro::engine;

namespace {

void PrintFfoLine(std::ostream& out, const char* name, const std::string& empties, const std::string& score,
    const std::string& known, double milliseconds, std::uint64_t nodes, const char* verdict)
{
    out << std::left << std::setw(8) << name << std::right << ' ' << std::setw(7) << empties << ' '
        << std::setw(6) << score << ' ' << std::setw(6) << known << ' ' << std::setw(10) << std::fixed
        << std::setprecision(1) << milliseconds << ' ' << std::setw(12) << nodes << "  " << verdict << '\n';
}

// Solves every position with `threads`; false when a score was wrong.
bool SolveAll(std::ostream& out, int threads, TExactTable& table)
{
    using TClock = std::chrono::steady_clock;
    out << "\nexact solver, " << threads << (threads == 1 ? " thread" : " threads")
        << " (deep nodes of the calling thread)\n"
        << std::left << std::setw(8) << "position" << std::right << ' ' << std::setw(7) << "empties" << ' '
        << std::setw(6) << "score" << ' ' << std::setw(6) << "known" << ' ' << std::setw(10) << "ms" << ' '
        << std::setw(12) << "deep nodes" << '\n';
    double totalMilliseconds = 0;
    std::uint64_t totalNodes = 0;
    bool allRight = true;
    for (const TFfoPosition& position : FfoPositions()) {
        const TBoard board = FfoBoard(position);
        table.Clear();
        std::uint64_t nodes = 0;
        const TClock::time_point start = TClock::now();
        const int score = ExactScore(board, position.sideToMove, table, nodes, threads);
        const double milliseconds = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
        const bool right = score == position.bestScore;
        allRight = allRight && right;
        PrintFfoLine(out, position.name, std::to_string(BuildEmptyList(board).count), std::to_string(score),
            std::to_string(position.bestScore), milliseconds, nodes, right ? "ok" : "WRONG");
        totalMilliseconds += milliseconds;
        totalNodes += nodes;
    }
    PrintFfoLine(out, "total", "-", "-", "-", totalMilliseconds, totalNodes, allRight ? "ok" : "WRONG");
    return allRight;
}

} // namespace

int RunFfoBench(std::ostream& out, int threads)
{
    TExactTable table;
    const bool oneRight = SolveAll(out, 1, table);
    const bool manyRight = threads == 1 || SolveAll(out, threads, table);
    return oneRight && manyRight ? 0 : 1;
}

} // namespace kalvoro::cli
