// Game records for the analysis tests, built by playing moves from the start position.
#pragma once

#include "engine/Board.h"
#include "records/GameRecord.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::records;

namespace testrecords {

inline TPositionLine LineOf(const TBoard& board, int side)
{
    return MakePositionLine(
        static_cast<std::uint16_t>(CountMobility(board, BuildEmptyList(board), side)), PackRows(board), 0);
}

// The record of the moves `codes` played from the start, 0 standing for a pass (kept even where the side
// had a move, so that hand-made passes can be tested). Each real move must be legal.
inline TGameRecord RecordOfMoves(const std::vector<int>& codes, std::vector<std::string> comments = {})
{
    TGameRecord record;
    TBoard board = InitialBoard();
    int side = Black;
    for (const int code : codes) {
        TPositionLine line = LineOf(board, side);
        line[9] = static_cast<std::uint16_t>(code);
        record.PositionRows.push_back(line);
        if (code != 0) {
            TBoard next;
            const TSquare square = SquareOfMoveCode(code);
            EXPECT_TRUE(MakeMove(board, next, square.x, square.y, side)) << "illegal move " << code;
            board = next;
        }
        side = -side;
    }
    record.PositionRows.push_back(LineOf(board, side));
    record.LastIndex = static_cast<std::int32_t>(codes.size());
    record.Comments = std::move(comments);
    return record;
}

// The moves of a random legal game with `seed`, passes as 0, as the game flow records them: a full board ends
// the game at once, a game that neither side can go on with ends with its first pass (so the record's last
// two lines have mobility 0). Stops early after `maxMoves` real moves.
inline std::vector<int> RandomGameMoves(unsigned seed, int maxMoves = 60)
{
    std::mt19937 random(seed);
    std::vector<int> codes;
    TBoard board = InitialBoard();
    int side = Black;
    int passes = 0;
    int played = 0;
    while (passes < 1 && played < maxMoves) {
        const TSquareList empties = BuildEmptyList(board);
        if (empties.count == 0) {
            break;
        }
        std::vector<TSquare> moves;
        for (int k = 0; k < empties.count; ++k) {
            if (CanFlip(board, empties.squares[k].x, empties.squares[k].y, side)) {
                moves.push_back(empties.squares[k]);
            }
        }
        if (moves.empty()) {
            if (CountMobility(board, empties, -side) == 0) {
                codes.push_back(0);
                ++passes;
                continue;
            }
            codes.push_back(0);
        } else {
            const TSquare move
                = moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(random)];
            TBoard next;
            MakeMove(board, next, move.x, move.y, side);
            board = next;
            codes.push_back(MoveCode(move.x, move.y));
            ++played;
        }
        side = -side;
    }
    return codes;
}

} // namespace testrecords
