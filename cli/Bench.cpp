#include "Bench.h"

#include "Arguments.h"
#include "BenchCompare.h"
#include "BenchFfo.h"
#include "BenchThreads.h"
#include "Transcript.h"

#include "engine/MoveChoice.h"
#include "game/GameState.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <iomanip>
#include <string>

namespace kalvoro::cli {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;

namespace {

// Games the program played against itself (kalvoro-cli play), each named by its levels.
struct TBenchGame {
    const char* players;
    const char* transcript;
};

constexpr std::array<TBenchGame, 5> Games { {
    { "Grade2-Grade1",
        "f5f6e6f4e3c5c4e7b5e2f2d2f3d3g5c3g4d6b3h3h4c2f1e1b1h6h5c6g3g6d8e8f8d7f7a4c8a3a5d1a2g1c7g2h1h2b2b4c1a6"
        "b6"
        "a1h7h8g8g7b8b7a7a8" },
    { "Cow-Dolphin",
        "f5f4e3d6c5d3c6f3e6f6c4c3g5h6h5h4d2c1d1e1e2b4b5a5a6b3a4f1b6c7a3f2c8c2g4g6d7h3g3d8e8f7f8e7h7h8b1a1g2h2"
        "g7"
        "a2b2a7g8h1b7b8g1a8" },
    { "Grade1-Monkey",
        "f5f6e6f4e3d6g4h4e7f7g6e8g5h6h3h5h7g3f3f2d7d8f8g7c8c7c5b5a5c4h8a6a7c6b6g8f1g1h1d3e1g2c2c3b2c1h2a1d2d1"
        "a4"
        "b7e2b4b1b8a2a3a8b3" },
    { "Custom-Dolphin",
        "f5f4e3d6f3g5f6e2h6h5h4g3d2d3c4c1e1f1d1c3g6c2g4f2b4a4a5a6e6b3c5a3h3e7f7f8c7c6d7c8b6b7b5e8b1a1a2b2d8g7"
        "b8"
        "g2g8a8a7h8h1g1h2h7" },
    { "Grade3-Cow",
        "f5d6c5f4e3d3f3g4c6e2h3h5c2c3h4c1h6g3c4b4a4a5a6b5b6e6h2g5g6f6a3b3c7c8d7d8e8f8e7f7f1e1a2d2f2g1b1a7a8b7"
        "b8"
        "a1b2h7h8g2d1h1g8g7" },
} };

// One benchmark item: the position after `movesPlayed` moves of a game, thought about at `level` with `row`.
struct TBenchItem {
    int game;
    int movesPlayed;
    int level;
    TLevelRow row;
    std::string mode;
};

std::string WithoutBlanks(std::string text)
{
    std::erase(text, ' ');
    return text;
}

std::vector<TBenchItem> BenchItems()
{
    std::vector<TBenchItem> items;
    const TLevelTable levels = BuiltInLevelTable();
    // The mid-game positions, each searched by every level's variant at that level's node depth.
    const std::array<std::pair<int, int>, 5> midGame { { { 0, 20 }, { 1, 26 }, { 2, 30 }, { 3, 22 },
        { 4, 24 } } };
    for (const auto& [game, moves] : midGame) {
        for (int level = 1; level <= 8; ++level) {
            items.push_back({ game, moves, level, levels[level],
                "N:" + WithoutBlanks(LevelNames[level]) + ":" + std::to_string(levels[level].nodeDepth) });
        }
    }
    // The solvers at 12 to 16 empty squares (60 - moves played), through the Custom level's depths.
    for (int empties = 12; empties <= 16; ++empties) {
        const int game = empties % static_cast<int>(Games.size());
        items.push_back(
            { game, 60 - empties, CustomLevel, { empties, empties, 1 }, "P:" + std::to_string(empties) });
        items.push_back({ (game + 1) % static_cast<int>(Games.size()), 60 - empties, CustomLevel,
            { 3, empties, 1 }, "F:" + std::to_string(empties) });
    }
    return items;
}

std::vector<int> FirstMoves(const char* transcript, int count)
{
    std::vector<int> moves = *ParseTranscript(transcript);
    moves.resize(static_cast<std::size_t>(count));
    return moves;
}

std::uint64_t NodesPerSecond(std::uint64_t nodes, double milliseconds)
{
    return milliseconds > 0 ? static_cast<std::uint64_t>(static_cast<double>(nodes) * 1000.0 / milliseconds)
                            : 0;
}

void PrintLine(std::ostream& out, const std::string& position, const std::string& mode, std::uint64_t nodes,
    double milliseconds)
{
    out << std::left << std::setw(22) << position << ' ' << std::setw(16) << mode << std::right << ' '
        << std::setw(12) << nodes << ' ' << std::setw(8) << std::fixed << std::setprecision(1) << milliseconds
        << ' ' << std::setw(10) << NodesPerSecond(nodes, milliseconds) << '\n';
}

TBenchPosition PositionOf(int game, int movesPlayed)
{
    TQuietWindow window;
    SetUpGame(FirstMoves(Games[static_cast<std::size_t>(game)].transcript, movesPlayed), {}, window);
    return { std::string(Games[static_cast<std::size_t>(game)].players) + "@" + std::to_string(movesPlayed),
        Game.GameBoard, Game.SideToMove };
}

std::vector<TBenchPosition> ComparePositions(const std::vector<std::pair<int, int>>& gamesAndMoves)
{
    std::vector<TBenchPosition> positions;
    positions.reserve(gamesAndMoves.size());
    for (const auto& [game, moves] : gamesAndMoves) {
        positions.push_back(PositionOf(game, moves));
    }
    return positions;
}

// A published endgame test position with 20 empty squares (Black to move, best a2 for +38), and the games'
// positions with 20 empty squares.
std::vector<TBenchPosition> TwentyEmptyPositions()
{
    const char* squares = "O--OOOOX-OOOOOOXOOXXOOOXOOXOOOXXOOOOOOXX---OOOOX----O--X--------";
    TBoard board = InitialBoard();
    for (int index = 0; index < 64; ++index) {
        const char square = squares[index];
        Cell(board, index % 8 + 1, index / 8 + 1) = square == 'X' ? Black : square == 'O' ? White : EmptyCell;
    }
    std::vector<TBenchPosition> positions { { "endgame-test-40", board, Black } };
    for (int game = 0; game < static_cast<int>(Games.size()); ++game) {
        positions.push_back(PositionOf(game, 40));
    }
    return positions;
}

TThreadBenchItem ThreadItem(int game, int movesPlayed, TLevelRow row, const std::string& mode)
{
    TQuietWindow window;
    SetUpGame(FirstMoves(Games[static_cast<std::size_t>(game)].transcript, movesPlayed), {}, window);
    return { std::string(Games[static_cast<std::size_t>(game)].players) + "@" + std::to_string(movesPlayed),
        Game.GameBoard, Game.SideToMove, GameMoves(), row, mode };
}

// The mid-game at node depths 10 to 12, complete analysis at 20 to 22 empty squares (the most the Custom
// level allows) and fast analysis at 22 to 26, on positions of the bench games that take up to a few seconds
// each with one thread. Two fast analyses have a single root move, so that the solve itself is shared.
std::vector<TThreadBenchItem> ThreadItems()
{
    return {
        ThreadItem(0, 20, { 3, 3, 10 }, "N:10"),
        ThreadItem(1, 26, { 3, 3, 10 }, "N:10"),
        ThreadItem(3, 22, { 3, 3, 10 }, "N:10"),
        ThreadItem(2, 30, { 3, 3, 11 }, "N:11"),
        ThreadItem(4, 24, { 3, 3, 11 }, "N:11"),
        ThreadItem(1, 28, { 3, 3, 12 }, "N:12"),
        ThreadItem(0, 40, { 20, 20, 1 }, "P:20"),
        ThreadItem(3, 40, { 20, 20, 1 }, "P:20"),
        ThreadItem(1, 38, { 22, 22, 1 }, "P:22"),
        ThreadItem(4, 38, { 22, 22, 1 }, "P:22"),
        ThreadItem(2, 38, { 22, 22, 1 }, "P:22"),
        ThreadItem(0, 38, { 3, 22, 1 }, "F:22"),
        ThreadItem(2, 36, { 3, 24, 1 }, "F:24"),
        ThreadItem(3, 36, { 3, 24, 1 }, "F:24"),
        ThreadItem(1, 34, { 3, 26, 1 }, "F:26"),
        ThreadItem(4, 34, { 3, 26, 1 }, "F:26"),
    };
}

// A stop asked for during a search at node depth 12 and during a fast analysis of 26 empty squares.
std::vector<TThreadBenchItem> StopItems()
{
    return { ThreadItem(2, 24, { 3, 3, 12 }, "N:12"), ThreadItem(2, 34, { 3, 26, 1 }, "F:26") };
}

constexpr int StopAfterMs = 1000;

} // namespace

int RunBench(std::ostream& out, int threads)
{
    using TClock = std::chrono::steady_clock;
    out << std::left << std::setw(22) << "position" << ' ' << std::setw(16) << "mode" << std::right << ' '
        << std::setw(12) << "nodes" << ' ' << std::setw(8) << "ms" << ' ' << std::setw(10) << "nodes/s"
        << '\n';
    std::uint64_t totalNodes = 0;
    double totalMilliseconds = 0;
    TQuietWindow window;
    // One table for the whole run, as the computer player keeps one for a whole game.
    TExactTable table;
    for (const TBenchItem& item : BenchItems()) {
        const TBenchGame& game = Games[static_cast<std::size_t>(item.game)];
        SetUpGame(FirstMoves(game.transcript, item.movesPlayed), {}, window);
        const std::vector<std::uint16_t> moves = GameMoves();
        std::uint64_t nodes = 0;
        TThinkRequest request;
        request.board = Game.GameBoard;
        request.side = Game.SideToMove;
        request.level = item.level;
        request.row = item.row;
        request.gameMoves = moves;
        request.nodeCounter = &nodes;
        TBookCursors cursors;
        TQuietHost host;
        const TClock::time_point start = TClock::now();
        Think(request, cursors, table, host);
        const double milliseconds = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
        PrintLine(out, std::string(game.players) + "@" + std::to_string(item.movesPlayed), item.mode, nodes,
            milliseconds);
        totalNodes += nodes;
        totalMilliseconds += milliseconds;
    }
    PrintLine(out, "total", "-", totalNodes, totalMilliseconds);
    const int compared = RunBenchCompare(out, table,
        ComparePositions({ { 0, 20 }, { 1, 26 }, { 2, 30 }, { 3, 22 }, { 4, 24 } }),
        ComparePositions({ { 0, 46 }, { 1, 46 }, { 2, 46 }, { 3, 46 }, { 4, 46 }, { 0, 44 }, { 1, 43 },
            { 2, 42 }, { 3, 44 }, { 4, 43 } }),
        TwentyEmptyPositions());
    const int threaded = RunThreadBench(out, threads, ThreadItems(), StopItems(), StopAfterMs, table);
    const int solved = RunFfoBench(out, threads);
    return std::max({ compared, threaded, solved });
}

} // namespace kalvoro::cli
