// kalvoro-cli: the computer player, whole games and the benchmark, without a window.
#include "AnalysisCommands.h"
#include "Arguments.h"
#include "Bench.h"
#include "Commands.h"

#include "game/ComputerPlayer.h"
#include "records/AtomicFile.h"

#include <iostream>
#include <string>
#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::cli;

namespace {

constexpr int FileErrorStatus = 1;
constexpr int UsageErrorStatus = 2;

int Run(const TCommandLine& command)
{
    SetThinkThreads(command.threads);
    switch (command.kind) {
    case TCommandKind::Help:
        std::cout << UsageText() << "\nAnalysis commands:\n" << AnalysisUsageText();
        return 0;
    case TCommandKind::Think:
        return RunThink(command, std::cout);
    case TCommandKind::Play:
        return RunPlay(command, std::cout);
    case TCommandKind::Bench:
        return RunBench(std::cout, command.threads > 0 ? command.threads : DefaultThinkThreads());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const std::optional<int> status = RunAnalysisCommand(arguments, std::cout, std::cerr)) {
        return *status;
    }
    try {
        return Run(ParseCommandLine(arguments));
    } catch (const TUsageError& error) {
        std::cerr << "kalvoro-cli: " << error.what() << "\nTry 'kalvoro-cli --help'.\n";
        return UsageErrorStatus;
    } catch (const TFileError& error) {
        std::cerr << "kalvoro-cli: " << error.what() << '\n';
        return FileErrorStatus;
    }
}
