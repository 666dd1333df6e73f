// Positions from random legal games, for checking fast code against plain code on many positions.
#pragma once

#include "engine/Board.h"

#include <random>
#include <vector>

using namespace kalvoro::engine;

struct TRandomPosition {
    TBoard board;
    int sideToMove;
};

// Plays uniformly random legal moves (passing when a side has none) from the initial position with the given
// seed and returns every position reached, the initial one included, up to the end of the game.
inline std::vector<TRandomPosition> RandomGamePositions(unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<TRandomPosition> positions;
    TBoard board = InitialBoard();
    int side = Black;
    int passes = 0;
    while (passes < 2) {
        positions.push_back({ board, side });
        const TSquareList empties = BuildEmptyList(board);
        std::vector<TSquare> moves;
        for (int k = 0; k < empties.count; ++k) {
            if (CanFlip(board, empties.squares[k].x, empties.squares[k].y, side)) {
                moves.push_back(empties.squares[k]);
            }
        }
        if (moves.empty()) {
            ++passes;
        } else {
            passes = 0;
            const TSquare move
                = moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(random)];
            TBoard next;
            MakeMove(board, next, move.x, move.y, side);
            board = next;
        }
        side = -side;
    }
    return positions;
}

// Every position of `games` random games with seeds 1 to games.
inline std::vector<TRandomPosition> ManyRandomPositions(unsigned games)
{
    std::vector<TRandomPosition> all;
    for (unsigned seed = 1; seed <= games; ++seed) {
        auto positions = RandomGamePositions(seed);
        all.insert(all.end(), positions.begin(), positions.end());
    }
    return all;
}
