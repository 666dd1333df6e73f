// The analysis commands of kalvoro-cli, over the analysis window's Qt-free core:
//   best RECORD INDEX   the three lines of the best-move report for position INDEX of the record
//   export RECORD       the text export of the record, byte for byte as "Kalvoro.txt" would hold it
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kalvoro::cli {

// Runs `arguments` when they name an analysis command and returns the exit status (0 done, 1 a file or
// position that cannot be analysed, 2 a malformed command line); nothing for any other command.
std::optional<int> RunAnalysisCommand(
    const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The commands themselves; they throw TFileError for a record that cannot be read.
// `threadsText` is empty for every hardware thread.
int RunBest(const std::string& recordPath, const std::string& indexText, const std::string& threadsText,
    std::ostream& out, std::ostream& err);
int RunExport(const std::string& recordPath, std::ostream& out);

// The usage lines of the two commands.
const char* AnalysisUsageText();

} // namespace kalvoro::cli
