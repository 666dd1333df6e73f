// The shared set-up of the game-flow tests: a recording window, no computer, and helpers to load positions.
#pragma once

#include "game/GameFlow.h"
#include "support/RecordingWindow.h"
#include "support/TestBoards.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;

class GameFlowTest : public ::testing::Test {
protected:
    TRecordingWindow window;

    void SetUp() override
    {
        ResetGameState();
        SetGameWindow(&window);
        SetThinkFunction(nullptr);
    }

    void TearDown() override
    {
        SetGameWindow(nullptr);
        SetThinkFunction(nullptr);
    }

    // Sets the game to `board` with `side` to move as if a record had just been opened at record `top`.
    void LoadPosition(const TBoard& board, int side, int top = 0)
    {
        Game.HistoryTop = top;
        Game.SideToMove = side;
        Game.History[top].Rows = PackRows(board);
        RestoreFromHistory();
        Game.ViewBoard = Game.GameBoard;
        CountLegalMoves();
        Game.History[top].Mobility = static_cast<std::uint16_t>(Game.LegalMoveCount);
        UpdateCounts();
        window.calls.clear();
    }

    void Play(const char* name) { PlayMove(name[0] - 'a' + 1, name[1] - '0'); }
};

inline std::vector<TSquare> LegalMoves(int side)
{
    std::vector<TSquare> moves;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            if (IsLegalMove(x, y, side)) {
                moves.push_back({ static_cast<std::int16_t>(x), static_cast<std::int16_t>(y) });
            }
        }
    }
    return moves;
}

// A Think that plays the first legal move in scan order, optionally processing messages as the real one does.
inline TSquare FirstLegalMove()
{
    GameWindow().ProcessMessages();
    const auto moves = LegalMoves(Game.SideToMove);
    return moves.empty() ? TSquare {} : moves.front();
}
