// What the computer-player tests share: a host that records what Think shows, and helpers to ask Think.
#pragma once

#include "engine/MoveChoice.h"

#include "support/RandomGames.h"

#include <string>
#include <vector>

using namespace kalvoro::engine;

// Records what the computer player shows and lets a test press Stop at the n-th processing of messages or
// when the n-th root value has been seen.
class TFakeHost : public IThinkHost {
public:
    int stopAtMessageCall = 0;
    std::size_t stopAtRootValue = 0;
    bool stop = false;
    int messageCalls = 0;
    // "status" and "messages" in the order they happened.
    std::vector<std::string> events;
    std::vector<std::string> statusTexts;
    std::vector<std::string> labels;
    std::vector<std::string> debugValues;

    bool StopRequested() override { return stop; }
    // Messages processed again and again while the computer waits for its searches count as one event.
    void ProcessMessages() override
    {
        ++messageCalls;
        if (events.empty() || events.back() != "messages") {
            events.emplace_back("messages");
        }
        stop = stop || messageCalls == stopAtMessageCall;
    }
    void SetStatusText(const std::string& text) override
    {
        statusTexts.push_back(text);
        events.emplace_back("status");
    }
    void SetEvalLabel(int colour, const std::string& text) override
    {
        labels.push_back(std::string(ColourName(colour)) + " " + text);
    }
    void DrawDebugValue(int x, int y, int value) override
    {
        debugValues.push_back(SquareName(x, y) + " " + std::to_string(value));
    }
};

struct TThought {
    TThinkResult result;
    std::vector<std::string> rootValues;
};

inline TThinkRequest RequestFor(const TBoard& board, int side, int level, TLevelRow row)
{
    TThinkRequest request;
    request.board = board;
    request.side = side;
    request.level = level;
    request.row = row;
    return request;
}

inline TThinkRequest RequestFor(const TBoard& board, int side, int level)
{
    return RequestFor(board, side, level, BuiltInLevelTable()[level]);
}

// One transposition table for all the computer-player tests, as the game keeps one for all its moves.
inline TExactTable& ThinkTestTable()
{
    static TExactTable table;
    return table;
}

inline TThought ThinkAbout(const TThinkRequest& request, TFakeHost& host)
{
    TThought thought;
    TBookCursors cursors;
    thought.result
        = Think(request, cursors, ThinkTestTable(), host, [&thought, &host](TSquare square, int value) {
              thought.rootValues.push_back(SquareName(square.x, square.y) + " " + std::to_string(value));
              host.stop = host.stop || thought.rootValues.size() == host.stopAtRootValue;
          });
    return thought;
}

inline std::string MoveName(const TThinkResult& result)
{
    return result.move.x == 0 ? "none" : SquareName(result.move.x, result.move.y);
}

inline TBoard AfterF5()
{
    TBoard board;
    MakeMove(InitialBoard(), board, 6, 5, Black);
    return board;
}

inline int LegalMoveCount(const TBoard& board, int side)
{
    const TSquareList list = BuildEmptyList(board);
    return CountMobility(board, list, side);
}

// A position from a random game with `empties` empty squares whose side to move has at least `minMoves`
// moves.
inline TRandomPosition PositionWithEmpties(int empties, int minMoves = 2, unsigned firstSeed = 1)
{
    for (unsigned seed = firstSeed;; ++seed) {
        for (const TRandomPosition& position : RandomGamePositions(seed)) {
            if (BuildEmptyList(position.board).count == empties
                && LegalMoveCount(position.board, position.sideToMove) >= minMoves) {
                return position;
            }
        }
    }
}
