#include "BenchCompare.h"

#include "analysis/core/BestMove.h"
#include "engine/ExactSolver.h"
#include "engine/MoveChoice.h"
#include "reference/PlainSearch.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <iomanip>
#include <map>
#include <sstream>

namespace kalvoro::cli {

using namespace kalvoro::engine;
using namespace kalvoro::analysis;
using namespace kalvoro::reference;

namespace {

using TClock = std::chrono::steady_clock;

double MillisecondsOf(const std::function<void()>& work)
{
    const TClock::time_point start = TClock::now();
    work();
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

// Every root move's value and the chosen move, as the root loop of the computer player shows them.
struct TRootRun {
    std::vector<int> values;
    TSquare move {};
    std::uint64_t nodes = 0;
    friend bool operator==(const TRootRun& a, const TRootRun& b)
    {
        return a.values == b.values && a.move == b.move;
    }
};

using TChildValue = std::function<int(const TBoard&, const TSquareList&, int bound, TSquare, std::uint64_t&)>;

TRootRun RootLoop(const TBenchPosition& position, bool endAtFirstNonLoss, const TChildValue& value)
{
    TRootRun run;
    const TSquareList list = BuildEmptyList(position.board);
    int best = -32768;
    for (int k = 0; k < list.count; ++k) {
        if (endAtFirstNonLoss && best >= 0) {
            break;
        }
        TBoard child;
        if (!MakeMove(position.board, child, list.squares[k].x, list.squares[k].y, position.side)) {
            continue;
        }
        const int v = value(child, ChildList(list, k), best * position.side, list.squares[k], run.nodes);
        run.values.push_back(v);
        if (run.move.x == 0 || v > best) {
            run.move = list.squares[k];
            best = v;
        }
    }
    return run;
}

struct TComparison {
    std::string group;
    double ratio;
};

class TComparer {
public:
    explicit TComparer(std::ostream& out)
        : out_(out)
    {
        out_ << "\nplain against fast\n"
             << std::left << std::setw(22) << "position" << ' ' << std::setw(16) << "mode" << std::right
             << ' ' << std::setw(12) << "plain nodes" << ' ' << std::setw(12) << "fast nodes" << ' '
             << std::setw(10) << "plain ms" << ' ' << std::setw(9) << "fast ms" << ' ' << std::setw(8)
             << "ratio"
             << "  same\n";
    }

    void Report(const std::string& position, const std::string& mode, const std::string& group,
        std::uint64_t plainNodes, std::uint64_t fastNodes, double plainMs, double fastMs, bool same)
    {
        const double ratio = fastMs > 0 ? plainMs / fastMs : 0;
        out_ << std::left << std::setw(22) << position << ' ' << std::setw(16) << mode << std::right << ' '
             << std::setw(12) << plainNodes << ' ' << std::setw(12) << fastNodes << ' ' << std::setw(10)
             << std::fixed << std::setprecision(1) << plainMs << ' ' << std::setw(9) << fastMs << ' '
             << std::setw(8) << ratio << "  " << (same ? "yes" : "NO") << '\n';
        comparisons_.push_back({ group, ratio });
        allSame_ = allSame_ && same;
    }

    void Note(const std::string& line) { out_ << line << '\n'; }

    int Summarise()
    {
        std::map<std::string, std::vector<double>> ratios;
        for (const TComparison& comparison : comparisons_) {
            ratios[comparison.group].push_back(comparison.ratio);
        }
        out_ << "\nmedian ratio (plain time / fast time)\n";
        for (auto& [group, values] : ratios) {
            std::sort(values.begin(), values.end());
            const std::size_t middle = values.size() / 2;
            const double median
                = values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
            out_ << std::left << std::setw(40) << group << std::right << std::fixed << std::setprecision(1)
                 << std::setw(10) << median << "x  over " << values.size() << '\n';
        }
        out_ << (allSame_ ? "all results identical\n" : "RESULTS DIFFER\n");
        return allSame_ ? 0 : 1;
    }

private:
    std::ostream& out_;
    std::vector<TComparison> comparisons_;
    bool allSame_ = true;
};

void CompareMidGame(TComparer& comparer, const TBenchPosition& position, int level)
{
    const TLevelRow row = BuiltInLevelTable()[level];
    const TSearchVariant variant = VariantOfLevel(level);
    const int side = position.side;
    TRootRun plainRun;
    const double plainMs = MillisecondsOf([&] {
        plainRun = RootLoop(position, false,
            [&](const TBoard& child, const TSquareList& list, int bound, TSquare square,
                std::uint64_t& nodes) {
                const int r
                    = plain::Search(variant, child, list, -side, false, 1, bound, row.nodeDepth, &nodes);
                return RootValue(level, side, r, square.x, square.y);
            });
    });
    NodeDepthLimit = row.nodeDepth;
    TRootRun fastRun;
    const double fastMs = MillisecondsOf([&] {
        fastRun = RootLoop(position, false,
            [&](const TBoard& child, const TSquareList& list, int bound, TSquare square, std::uint64_t&) {
                return RootValue(
                    level, side, Search(variant, child, list, -side, false, 1, bound), square.x, square.y);
            });
    });
    const TRootRun counted = RootLoop(position, false,
        [&](const TBoard& child, const TSquareList& list, int bound, TSquare square, std::uint64_t& nodes) {
            const int r = SearchCountingNodes(variant, child, list, -side, false, 1, bound, nodes);
            return RootValue(level, side, r, square.x, square.y);
        });
    const bool mobilityEverywhere = variant == TSearchVariant::Mobility || variant == TSearchVariant::Graded;
    std::string name = LevelNames[level];
    std::erase(name, ' ');
    comparer.Report(position.name, "N:" + name + ":" + std::to_string(row.nodeDepth),
        mobilityEverywhere ? "mid-game, Cow/Grade/Custom" : "mid-game, other levels", plainRun.nodes,
        counted.nodes, plainMs, fastMs,
        plainRun == fastRun && fastRun == counted && plainRun.nodes == counted.nodes);
}

void CompareSolver(TComparer& comparer, const TBenchPosition& position, bool fast, TExactTable& table)
{
    const int side = position.side;
    TRootRun plainRun;
    const double plainMs = MillisecondsOf([&] {
        plainRun = RootLoop(position, fast,
            [&](const TBoard& child, const TSquareList& list, int bound, TSquare, std::uint64_t& nodes) {
                plain::TCountingHost host;
                return side * plain::Solve(child, list, -side, false, bound, fast, host, &nodes);
            });
    });
    TRootRun fastRun;
    TQuietHost host;
    table.Clear();
    const double fastMs = MillisecondsOf([&] {
        fastRun = RootLoop(position, fast,
            [&](const TBoard& child, const TSquareList& list, int bound, TSquare, std::uint64_t&) {
                return side
                    * (fast ? SolveWinLossFast(child, list, -side, false, bound, host, table)
                            : SolveExactStrong(child, list, -side, false, bound, host, table));
            });
    });
    const int empties = BuildEmptyList(position.board).count;
    comparer.Report(position.name, (fast ? "F:" : "P:") + std::to_string(empties),
        fast ? "fast analysis, 16-18 empties" : "complete analysis, 14 empties", plainRun.nodes, 0, plainMs,
        fastMs, plainRun == fastRun);
}

// The best-move analysis of the analysis window against the plain solver's root loop with its runner-up.
void CompareBestMove(TComparer& comparer, const TBenchPosition& position, TExactTable& table)
{
    const int side = position.side;
    TRootRun plainRun;
    const double plainMs = MillisecondsOf([&] {
        plainRun = RootLoop(position, false,
            [&](const TBoard& child, const TSquareList& list, int bound, TSquare, std::uint64_t& nodes) {
                plain::TCountingHost host;
                return side * plain::Solve(child, list, -side, false, bound, false, host, &nodes);
            });
    });
    TBestMove fast;
    table.Clear();
    const double fastMs = MillisecondsOf([&] { fast = AnalyseBestMove(position.board, side, table); });
    // The runner-up is the first of the largest values after the best one's place is taken.
    const std::vector<int>& values = plainRun.values;
    bool same = fast.best && fast.best->square == plainRun.move
        && fast.best->value == *std::max_element(values.begin(), values.end());
    if (same && fast.runnerUp) {
        int bestSeen = -32768;
        int runnerUp = -32768;
        for (const int v : values) {
            if (v > bestSeen) {
                runnerUp = bestSeen;
                bestSeen = v;
            } else {
                runnerUp = std::max(runnerUp, v);
            }
        }
        same = fast.runnerUp->value == runnerUp;
    }
    comparer.Report(position.name, "B:" + std::to_string(BuildEmptyList(position.board).count),
        "best move, 14 empties", plainRun.nodes, 0, plainMs, fastMs, same);
}

void TimeTwentyEmpties(TComparer& comparer, const TBenchPosition& position, TExactTable& table)
{
    TQuietHost host;
    TThinkRequest request;
    request.board = position.board;
    request.side = position.side;
    request.level = CustomLevel;
    request.row = { 22, 26, 5 };
    TBookCursors cursors;
    TThinkResult result;
    table.Clear();
    const double ms = MillisecondsOf([&] { result = Think(request, cursors, table, host); });
    std::ostringstream line;
    line << std::left << std::setw(22) << position.name << ' ' << std::setw(16)
         << "P:" + std::to_string(BuildEmptyList(position.board).count)
         << " fast only: " << SquareName(result.move.x, result.move.y) << " in " << std::fixed
         << std::setprecision(1) << ms << " ms";
    comparer.Note(line.str());
}

} // namespace

int RunBenchCompare(std::ostream& out, TExactTable& table, const std::vector<TBenchPosition>& midGame,
    const std::vector<TBenchPosition>& endgame, const std::vector<TBenchPosition>& twentyEmpties)
{
    TComparer comparer(out);
    const int savedLimit = NodeDepthLimit;
    for (const TBenchPosition& position : midGame) {
        for (int level = 1; level <= CustomLevel; ++level) {
            CompareMidGame(comparer, position, level);
        }
    }
    NodeDepthLimit = savedLimit;
    for (const TBenchPosition& position : endgame) {
        const int empties = BuildEmptyList(position.board).count;
        if (empties == 14) {
            CompareSolver(comparer, position, false, table);
            CompareBestMove(comparer, position, table);
        } else {
            CompareSolver(comparer, position, true, table);
        }
    }
    for (const TBenchPosition& position : twentyEmpties) {
        TimeTwentyEmpties(comparer, position, table);
    }
    out << "transposition table: " << TExactTable::SizeInBytes() / (1024 * 1024) << " MiB, allocated once\n";
    return comparer.Summarise();
}

} // namespace kalvoro::cli
