#include "BenchThreads.h"

#include "engine/MoveChoice.h"

#include <algorithm>
#include <chrono>
#include <iomanip>
#include <map>
#include <optional>

namespace kalvoro::cli {

using namespace kalvoro::engine;

namespace {

using TClock = std::chrono::steady_clock;

// An item that takes less than this with one thread is thought about ShortItemRounds times each way, one
// thread and several in turn, and the fastest time of each kept: a pause of the machine of a few hundred
// milliseconds would otherwise move the ratio of a short item by a fifth.
constexpr double ShortItemMs = 3000;
constexpr int ShortItemRounds = 3;

double MillisecondsBetween(TClock::time_point from, TClock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// What a think showed: the root values in order, the move, the label; and how long it took.
struct TThinkRun {
    std::vector<std::string> rootValues;
    TSquare move {};
    std::string label;
    double milliseconds = 0;
    bool SameChoice(const TThinkRun& other) const
    {
        return rootValues == other.rootValues && move == other.move && label == other.label;
    }
};

// A host that keeps the label and, when given a deadline, asks to stop at its first look at or after it.
class TBenchHost : public TQuietHost {
public:
    explicit TBenchHost(std::optional<TClock::time_point> deadline = std::nullopt)
        : deadline_(deadline)
    {
    }
    bool StopRequested() override
    {
        if (deadline_ && !requested_ && TClock::now() >= *deadline_) {
            requested_ = TClock::now();
        }
        return requested_.has_value();
    }
    void SetEvalLabel(int, const std::string& text) override { label = text; }
    std::optional<TClock::time_point> Requested() const { return requested_; }
    std::string label;

private:
    std::optional<TClock::time_point> deadline_;
    std::optional<TClock::time_point> requested_;
};

TThinkRequest RequestOf(const TThreadBenchItem& item, int threads)
{
    TThinkRequest request;
    request.board = item.board;
    request.side = item.side;
    request.level = CustomLevel;
    request.row = item.row;
    request.gameMoves = item.gameMoves;
    request.threads = threads;
    return request;
}

TThinkRun ThinkOnce(const TThreadBenchItem& item, int threads, TExactTable& table)
{
    TThinkRun run;
    TBookCursors cursors;
    TBenchHost host;
    table.Clear();
    const TClock::time_point start = TClock::now();
    const TThinkResult result
        = Think(RequestOf(item, threads), cursors, table, host, [&run](TSquare square, int v) {
              run.rootValues.push_back(SquareName(square.x, square.y) + " " + std::to_string(v));
          });
    run.milliseconds = MillisecondsBetween(start, TClock::now());
    run.move = result.move;
    run.label = host.label;
    return run;
}

double Median(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void PrintTimes(std::ostream& out, const TThreadBenchItem& item, const TThinkRun& one, const TThinkRun& many)
{
    out << std::left << std::setw(22) << item.name << ' ' << std::setw(8) << item.mode << std::right
        << std::fixed << std::setprecision(1) << std::setw(11) << one.milliseconds << std::setw(11)
        << many.milliseconds << std::setw(7) << std::setprecision(2)
        << one.milliseconds / std::max(many.milliseconds, 0.001) << "x "
        << (one.SameChoice(many) ? "same" : "DIFFERENT") << '\n';
}

// Asks `item` to stop after `stopAfterMs` and prints the time from the request to Think's return.
void PrintStopLatency(
    std::ostream& out, const TThreadBenchItem& item, int threads, int stopAfterMs, TExactTable& table)
{
    TBookCursors cursors;
    const TClock::time_point start = TClock::now();
    TBenchHost host(start + std::chrono::milliseconds(stopAfterMs));
    const TThinkResult result = Think(RequestOf(item, threads), cursors, table, host);
    const TClock::time_point end = TClock::now();
    out << std::left << std::setw(22) << item.name << ' ' << std::setw(8) << item.mode << std::right;
    if (!result.stopped || !host.Requested()) {
        out << " ended before the stop, in " << std::fixed << std::setprecision(1)
            << MillisecondsBetween(start, end) << " ms\n";
        return;
    }
    out << " stop asked after " << std::fixed << std::setprecision(1)
        << MillisecondsBetween(start, *host.Requested()) << " ms, took "
        << MillisecondsBetween(*host.Requested(), end) << " ms\n";
}

} // namespace

int RunThreadBench(std::ostream& out, int threads, const std::vector<TThreadBenchItem>& items,
    const std::vector<TThreadBenchItem>& stopItems, int stopAfterMs, TExactTable& table)
{
    out << "\none thread against " << threads
        << ", Custom level, table cleared before each think, fastest of three when under 3 s\n"
        << std::left << std::setw(22) << "position" << ' ' << std::setw(8) << "mode" << std::right
        << std::setw(11) << "ms 1" << std::setw(11) << "ms " + std::to_string(threads) << std::setw(8)
        << "ratio" << '\n';
    std::map<char, std::vector<double>> ratios;
    bool allSame = true;
    for (const TThreadBenchItem& item : items) {
        TThinkRun one = ThinkOnce(item, 1, table);
        TThinkRun many = ThinkOnce(item, threads, table);
        allSame = allSame && one.SameChoice(many);
        for (int round = 1; round < ShortItemRounds && one.milliseconds < ShortItemMs; ++round) {
            const TThinkRun oneAgain = ThinkOnce(item, 1, table);
            const TThinkRun manyAgain = ThinkOnce(item, threads, table);
            allSame = allSame && one.SameChoice(oneAgain) && one.SameChoice(manyAgain);
            one.milliseconds = std::min(one.milliseconds, oneAgain.milliseconds);
            many.milliseconds = std::min(many.milliseconds, manyAgain.milliseconds);
        }
        PrintTimes(out, item, one, many);
        ratios[item.mode[0]].push_back(one.milliseconds / std::max(many.milliseconds, 0.001));
    }
    for (const auto& [kind, values] : ratios) {
        out << "median ratio " << kind << ": " << std::fixed << std::setprecision(2) << Median(values)
            << "x\n";
    }
    out << "stop latency with " << threads << " threads\n";
    for (const TThreadBenchItem& item : stopItems) {
        PrintStopLatency(out, item, threads, stopAfterMs, table);
    }
    out << (allSame ? "one thread and several chose alike\n" : "one thread and several DIFFER\n");
    return allSame ? 0 : 1;
}

} // namespace kalvoro::cli
