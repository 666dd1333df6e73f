#include "Transcript.h"

#include "Arguments.h"

#include "game/ComputerPlayer.h"
#include "game/GameFlow.h"
#include "game/GameSave.h"

namespace kalvoro::cli {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;

namespace {

bool NamesASquare(int code)
{
    return code / 10 >= 1 && code / 10 <= 8 && code % 10 >= 1 && code % 10 <= 8;
}

// The moves of an opened record must be passes or squares; the tool would otherwise play on from a game it
// cannot name.
void RefuseMovesThatNameNoSquare(const std::string& recordPath)
{
    const std::vector<std::uint16_t> moves = GameMoves();
    for (std::size_t k = 0; k < moves.size(); ++k) {
        if (moves[k] != 0 && !NamesASquare(moves[k])) {
            throw FileError("Cannot read", recordPath,
                "the move played from position " + std::to_string(k) + ", " + std::to_string(moves[k])
                    + ", names no square");
        }
    }
}

} // namespace

void SetUpGame(const std::vector<int>& moves, const TLevelRow& customRow, const std::string& recordPath,
    TQuietWindow& window)
{
    ResetGameState();
    SetGameWindow(&window);
    InstallComputerPlayer();
    NewGame(false);
    Game.LevelTable[CustomLevel] = customRow;
    if (!recordPath.empty()) {
        OpenGameRecord(recordPath);
        RefuseMovesThatNameNoSquare(recordPath);
    }
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const TSquare square = SquareOfMoveCode(moves[i]);
        const std::string where = "move " + std::to_string(i + 1) + " of the transcript, "
            + SquareName(square.x, square.y) + ", ";
        if (GameIsOver()) {
            throw TUsageError(where + "comes after the end of the game");
        }
        if (Game.HistoryTop >= RecordCapacity - 1) {
            throw TUsageError(where + "comes after position 119, the last a game record holds");
        }
        if (!IsLegalMove(square.x, square.y, Game.SideToMove)) {
            throw TUsageError(where + "is not a legal move for " + ColourName(Game.SideToMove));
        }
        PlayMove(square.x, square.y);
    }
}

void SetUpGame(const std::vector<int>& moves, const TLevelRow& customRow, TQuietWindow& window)
{
    SetUpGame(moves, customRow, "", window);
}

bool GameIsOver()
{
    return Game.EmptyCount == 0
        || CountMobility(Game.GameBoard, BuildEmptyList(Game.GameBoard), Game.SideToMove) == 0;
}

bool NothingLeftToPlay()
{
    const TSquareList empties = BuildEmptyList(Game.GameBoard);
    return Game.EmptyCount == 0 || Game.HistoryTop >= RecordCapacity - 1
        || (CountMobility(Game.GameBoard, empties, Black) == 0
            && CountMobility(Game.GameBoard, empties, White) == 0);
}

std::string GameTranscript()
{
    std::string transcript;
    for (const std::uint16_t move : GameMoves()) {
        if (move != 0) {
            transcript += MoveCodeName(move);
        }
    }
    return transcript;
}

} // namespace kalvoro::cli
