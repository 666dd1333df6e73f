#include "AnalysisCommands.h"

#include "analysis/core/TextExport.h"
#include "records/GameRecord.h"

#include <iostream>

namespace kalvoro::cli {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;

int RunExport(const std::string& recordPath, std::ostream& out)
{
    const std::string text = TextSheet(ReadGameRecord(recordPath));
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out ? 0 : 1;
}

std::optional<int> RunAnalysisCommand(
    const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty() || (arguments[0] != "best" && arguments[0] != "export")) {
        return std::nullopt;
    }
    const bool best = arguments[0] == "best";
    // best RECORD INDEX --threads N
    const bool threadsGiven = best && arguments.size() == 5 && arguments[3] == "--threads";
    if (arguments.size() != (best ? 3U : 2U) && !threadsGiven) {
        err << "kalvoro-cli: "
            << (best ? "best takes a record and a position index" : "export takes a record") << "\nUsage:\n"
            << AnalysisUsageText();
        return 2;
    }
    try {
        return best ? RunBest(arguments[1], arguments[2], threadsGiven ? arguments[4] : "", out, err)
                    : RunExport(arguments[1], out);
    } catch (const TFileError& error) {
        err << "kalvoro-cli: " << error.what() << "\n";
        return 1;
    }
}

const char* AnalysisUsageText()
{
    return "  best RECORD INDEX [--threads N]\n"
           "      The best move of position INDEX (0 is the start) of a game record, solved\n"
           "      exactly: the three lines of the best-move report. The position needs 2 to\n"
           "      14 empty squares and a move played from it, as in the analysis window.\n"
           "  export RECORD\n"
           "      The text export of a game record (its comment lines as the memo), to\n"
           "      standard output, byte for byte as Kalvoro.txt would hold it.\n";
}

} // namespace kalvoro::cli
