#include "Commands.h"

#include "Transcript.h"

#include "game/ComputerPlayer.h"
#include "game/GameFlow.h"
#include "game/GameSave.h"
#include "game/QuietWindow.h"
#include "records/RecordTime.h"

#include <chrono>
#include <cmath>
#include <optional>
#include <string>

namespace kalvoro::cli {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;

namespace {

int Slot(int colour)
{
    return colour == Black ? 0 : 1;
}

const char* ModeName(TThinkMode mode)
{
    switch (mode) {
    case TThinkMode::OneEmpty:
        return "ONE";
    case TThinkMode::Complete:
        return "P";
    case TThinkMode::Fast:
        return "F";
    case TThinkMode::Book:
        return "BOOK";
    case TThinkMode::MidGame:
        return "N";
    }
    return "?";
}

using TClock = std::chrono::steady_clock;

double MillisecondsBetween(TClock::time_point from, TClock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The window of `think --stop-after`: it asks the computer to stop at the first processing of messages at or
// after the deadline, as a click on Stop would, and notes when.
class TStoppingWindow : public TQuietWindow {
public:
    explicit TStoppingWindow(std::optional<int> stopAfterMs)
        : stopAfterMs_(stopAfterMs)
    {
    }

    void Start() { start_ = TClock::now(); }

    void ProcessMessages() override
    {
        TQuietWindow::ProcessMessages();
        if (stopAfterMs_ && !requested_
            && TClock::now() - start_ >= std::chrono::milliseconds(*stopAfterMs_)) {
            requested_ = TClock::now();
            RequestStop();
        }
    }

    // "stopped after 2000.4 ms, the stop took 3.1 ms", or nothing when no stop was asked for.
    std::optional<std::string> StopReport(TClock::time_point end) const
    {
        if (!requested_) {
            return std::nullopt;
        }
        return "stopped after " + FixedText(MillisecondsBetween(start_, *requested_)) + " ms, the stop took "
            + FixedText(MillisecondsBetween(*requested_, end)) + " ms";
    }

private:
    static std::string FixedText(double milliseconds)
    {
        const long tenths = std::lround(milliseconds * 10);
        return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    }

    std::optional<int> stopAfterMs_;
    TClock::time_point start_;
    std::optional<TClock::time_point> requested_;
};

} // namespace

int RunThink(const TCommandLine& command, std::ostream& out)
{
    TStoppingWindow window(command.stopAfterMs);
    SetUpGame(command.moves, command.customRow, command.recordPath, window);
    if (GameIsOver()) {
        out << "pass\n";
        return 0;
    }
    // As after opening a record: the book is scanned from its first lines.
    ResetBookCursors(Game.BookCursor);
    const int side = Game.SideToMove;
    // Think never writes an empty label, so an empty one afterwards means it left the label alone.
    window.evalLabels[Slot(side)].clear();
    Game.StopRequested = false;
    window.Start();
    const TThinkResult result = ThinkWithDetails(command.levels[0],
        [&out](TSquare square, int value) { out << SquareName(square.x, square.y) << ' ' << value << '\n'; });
    const TClock::time_point end = TClock::now();
    const std::string& label = window.evalLabels[Slot(side)];
    out << "mode " << ModeName(result.mode) << " move "
        << (result.move.x == 0 ? "-" : SquareName(result.move.x, result.move.y)) << " label "
        << (label.empty() ? "-" : label) << '\n';
    if (const std::optional<std::string> report = window.StopReport(end)) {
        out << *report << '\n';
    }
    return 0;
}

int RunPlay(const TCommandLine& command, std::ostream& out)
{
    TQuietWindow window;
    SetUpGame(command.moves, command.customRow, command.recordPath, window);
    window.playerLevels = { command.levels[0], command.levels[1] };
    if (NothingLeftToPlay()) {
        throw TUsageError("the game is already over: there is no move left to play");
    }
    RunComputer();
    out << GameTranscript() << '\n';
    for (const std::string& line : window.lastResult) {
        out << line << '\n';
    }
    if (!command.outPath.empty()) {
        WriteGameRecord(
            command.outPath, LocalNow(), PlayerNames(window.playerLevels[0], window.playerLevels[1]));
    }
    return 0;
}

} // namespace kalvoro::cli
