#include "ComputerPlayer.h"

#include "GameFlow.h"
#include "GameState.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace kalvoro::game {

using namespace kalvoro::engine;
using namespace kalvoro::records;

namespace {

// The game and its window as the computer player's host. The stop flag is read afresh each time, since a
// message processed during the search may set it.
class TGameThinkHost : public IThinkHost {
public:
    bool StopRequested() override { return Game.StopRequested; }
    void ProcessMessages() override { GameWindow().ProcessMessages(); }
    void SetStatusText(const std::string& text) override { GameWindow().SetStatusText(text); }
    void SetEvalLabel(int colour, const std::string& text) override
    {
        GameWindow().SetEvalLabel(colour, text);
    }
    void DrawDebugValue(int x, int y, int value) override { GameWindow().DrawDebugValue(x, y, value); }
};

// The computer player's transposition table, allocated at its first move and kept for the program's
// lifetime, so that what one move's solve learnt serves the next.
TExactTable& PlayerTable()
{
    static TExactTable table;
    return table;
}

// The threads set by SetThinkThreads; 0 for the default.
int chosenThreads = 0;

// A thread count no machine needs more of, so that an odd setting cannot ask for thousands of threads.
constexpr int MostThreads = 256;

} // namespace

int DefaultThinkThreads()
{
    if (const char* text = std::getenv("KALVORO_THREADS")) {
        int threads = 0;
        const char* end = text + std::strlen(text);
        const auto [stop, error] = std::from_chars(text, end, threads);
        if (error == std::errc {} && stop == end && threads >= 1) {
            return std::min(threads, MostThreads);
        }
    }
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MostThreads);
}

void SetThinkThreads(int threads)
{
    chosenThreads = std::clamp(threads, 0, MostThreads);
}

TThinkResult ThinkWithDetails(int level, const TRootObserver& observer)
{
    if (level <= HumanLevel || level >= LevelCount) {
        return {};
    }
    const std::vector<std::uint16_t> moves = GameMoves();
    TThinkRequest request;
    request.board = Game.GameBoard;
    request.side = Game.SideToMove;
    request.level = level;
    request.row = Game.LevelTable[level];
    request.gameMoves = moves;
    request.debugMode = Game.DebugMode;
    request.threads = chosenThreads > 0 ? chosenThreads : DefaultThinkThreads();
    TGameThinkHost host;
    return Think(request, Game.BookCursor, PlayerTable(), host, observer);
}

TSquare Think(int level)
{
    return ThinkWithDetails(level, {}).move;
}

void InstallComputerPlayer()
{
    SetThinkFunction([](int level) { return Think(level); });
}

} // namespace kalvoro::game
