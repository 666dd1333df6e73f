#include "Commands.h"

#include "Transcript.h"

#include "game/ComputerPlayer.h"
#include "game/GameFlow.h"
#include "game/GameSave.h"
#include "game/QuietWindow.h"
#include "records/RecordTime.h"

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

} // namespace

int RunThink(const TCommandLine& command, std::ostream& out)
{
    TQuietWindow window;
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
    const TThinkResult result = ThinkWithDetails(command.levels[0],
        [&out](TSquare square, int value) { out << SquareName(square.x, square.y) << ' ' << value << '\n'; });
    const std::string& label = window.evalLabels[Slot(side)];
    out << "mode " << ModeName(result.mode) << " move " << SquareName(result.move.x, result.move.y)
        << " label " << (label.empty() ? "-" : label) << '\n';
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
