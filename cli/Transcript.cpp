#include "Transcript.h"

#include "Arguments.h"

#include "game/ComputerPlayer.h"
#include "game/GameFlow.h"
#include "game/GameSave.h"

namespace kalvoro::cli {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;

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
    }
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const TSquare square = SquareOfMoveCode(moves[i]);
        const std::string where = "move " + std::to_string(i + 1) + " of the transcript, "
            + SquareName(square.x, square.y) + ", ";
        if (GameIsOver()) {
            throw TUsageError(where + "comes after the end of the game");
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
