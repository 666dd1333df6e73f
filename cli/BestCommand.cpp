#include "AnalysisCommands.h"

#include "analysis/core/AnalysisGame.h"
#include "analysis/core/BestMove.h"
#include "records/GameRecord.h"

#include <algorithm>
#include <charconv>
#include <thread>

namespace kalvoro::cli {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;

namespace {

constexpr int MostThreads = 256;

std::optional<int> ParseIndex(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc {} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

int RunBest(const std::string& recordPath, const std::string& indexText, const std::string& threadsText,
    std::ostream& out, std::ostream& err)
{
    const std::optional<int> threads = threadsText.empty()
        ? std::optional<int> { static_cast<int>(std::max(1U, std::thread::hardware_concurrency())) }
        : ParseIndex(threadsText);
    if (!threads || *threads < 1 || *threads > MostThreads) {
        err << "kalvoro-cli: --threads needs a whole number from 1 to " << MostThreads << "\n";
        return 2;
    }
    const TGameRecord record = ReadGameRecord(recordPath);
    const std::optional<int> index = ParseIndex(indexText);
    if (!index || *index < 0 || *index > record.LastIndex) {
        err << "kalvoro-cli: the position index must be a number from 0 to " << record.LastIndex << ", not \""
            << indexText << "\"\n";
        return 1;
    }
    if (!HintAvailable(record, *index)) {
        err << "kalvoro-cli: the best move is solved only in a position with " << MinHintEmpties << " to "
            << MaxHintEmpties << " empty squares from which a move was played; position " << *index << " has "
            << CountEmpties(UnpackPosition(record, *index)) << " empty squares"
            << (StoredMove(record, *index) == 0 ? " and a pass stored as its move" : "") << "\n";
        return 1;
    }
    const TBestMove result = AnalyseBestMove(UnpackPosition(record, *index), SideToMoveAt(*index), *threads);
    for (const std::string& line : BestMoveReport(result)) {
        out << line << "\n";
    }
    return 0;
}

} // namespace kalvoro::cli
