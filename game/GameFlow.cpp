#include "GameFlow.h"

#include "QuietWindow.h"

#include <string>

namespace kalvoro::game {

using namespace kalvoro::engine;
using namespace kalvoro::records;

namespace {

TQuietWindow defaultWindow;
IGameWindow* window = &defaultWindow;
TThinkFunction thinkFunction;

void SetBothPlayersHuman()
{
    window->SetPlayerLevel(Black, HumanLevel);
    window->SetPlayerLevel(White, HumanLevel);
}

void PushHistory()
{
    ++Game.HistoryTop;
    THistoryRecord& record = Game.History[Game.HistoryTop];
    record.Mobility = static_cast<std::uint16_t>(Game.LegalMoveCount);
    record.Rows = PackRows(Game.GameBoard);
}

void SwitchSide()
{
    Game.SideToMove = -Game.SideToMove;
    window->HighlightCountLabel(Game.SideToMove);
    CountLegalMoves();
    PushHistory();
}

void AnnouncePass()
{
    MoveField(Game.HistoryTop + 1) = 0;
    window->ShowPassMessage(std::string(ColourName(Game.SideToMove)) + " are to pass.");
}

std::string ResultLine(int black, int white)
{
    if (black > white) {
        return "Black won by " + std::to_string(black - white) + ".";
    }
    if (white > black) {
        return "White won by " + std::to_string(white - black) + ".";
    }
    return "Draw Game.";
}

void ShowResult()
{
    const int black = CountDiscs(Game.GameBoard, Black);
    const int white = CountDiscs(Game.GameBoard, White);
    window->ShowResultDialog(
        "Black : " + std::to_string(black), "White : " + std::to_string(white), ResultLine(black, white));
    window->OpenAnalysis();
    if (Game.LegalMoveCount == 0 && Game.EmptyCount > 0) {
        SetBothPlayersHuman();
    }
}

// A full history ends the game as if neither side could move: the players become Human and no move is
// offered, so nothing is ever written past the last record.
bool EndIfHistoryFull()
{
    if (!HistoryIsFull()) {
        return false;
    }
    Game.LegalMoveCount = 0;
    ShowResult();
    SetBothPlayersHuman();
    return true;
}

void AfterMove()
{
    UpdateCounts();
    SwitchSide();
    if (Game.EmptyCount == 0) {
        ShowResult();
        return;
    }
    if (EndIfHistoryFull() || Game.LegalMoveCount > 0) {
        return;
    }
    AnnouncePass();
    SwitchSide();
    if (EndIfHistoryFull() || Game.LegalMoveCount > 0) {
        return;
    }
    AnnouncePass();
    ShowResult();
}

void AnimationPause()
{
    Game.TimerTicks = 0;
    window->SetAnimationTimer(true);
    // The pause is read on every round: a window that is closing shortens the pause under way to nothing.
    do {
        window->ProcessMessages();
    } while (Game.TimerTicks < window->PauseTicks());
    window->SetAnimationTimer(false);
}

void StepPause()
{
    if (window->NoWait()) {
        window->RepaintPending();
    } else {
        AnimationPause();
    }
}

void ShowDisc(int x, int y)
{
    Cell(Game.ViewBoard, x, y) = static_cast<std::int16_t>(Game.SideToMove);
    window->DrawSquare(x, y);
    StepPause();
}

void AnimateMove(int x, int y)
{
    window->SetLastMoveLabel(Game.SideToMove, SquareName(x, y));
    window->ClearLegalMarks();
    window->SetBusyCursor(true);
    DisableInput();
    Game.Busy = true;
    ShowDisc(x, y);
    for (int direction = 0; direction < 8; ++direction) {
        for (int k = 1; k <= Game.FlipCounts[direction]; ++k) {
            ShowDisc(x + k * Directions[direction].dx, y + k * Directions[direction].dy);
        }
    }
    Game.GameBoard = Game.ViewBoard;
    window->SetBusyCursor(false);
    EnableInput();
    Game.Busy = false;
    if (Game.StopRequested && window->PlayerLevel(Black) != HumanLevel
        && window->PlayerLevel(White) != HumanLevel) {
        window->SetPlayerLevel(-Game.SideToMove, HumanLevel);
    }
    AfterMove();
}

int CountLegalMovesOf(int colour)
{
    int count = 0;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            count += IsLegalMove(x, y, colour) ? 1 : 0;
        }
    }
    return count;
}

// The name of the latest non-pass move among records `first`, first + 2, ... up to `last`, or "".
std::string LastMoveName(int first, int last)
{
    int j = last;
    if ((j - first) % 2 != 0) {
        --j;
    }
    for (; j >= first; j -= 2) {
        if (Game.History[j].Move != 0) {
            return MoveCodeName(Game.History[j].Move);
        }
    }
    return "";
}

void UpdateLastMoveLabels()
{
    window->SetLastMoveLabel(White, Game.HistoryTop <= 1 ? "" : LastMoveName(2, Game.HistoryTop));
    window->SetLastMoveLabel(Black, Game.HistoryTop == 0 ? "" : LastMoveName(1, Game.HistoryTop));
}

// One computer move, or none when it was stopped (or debug mode only shows its values).
void PlayComputerMove(int level)
{
    window->SetBusyCursor(true);
    Game.StopRequested = false;
    Game.Busy = true;
    DisableInput();
    const TSquare square = thinkFunction ? thinkFunction(level) : TSquare {};
    window->SetStatusText("");
    if (Game.StopRequested || Game.DebugMode || square.x == 0) {
        EnableInput();
        window->SetPlayerLevel(Game.SideToMove, HumanLevel);
    } else {
        PlayMove(square.x, square.y);
        window->SetPlayerSelectorsEnabled(true);
    }
    Game.Busy = false;
    window->SetBusyCursor(false);
}

} // namespace

void SetGameWindow(IGameWindow* newWindow)
{
    window = newWindow != nullptr ? newWindow : &defaultWindow;
}

IGameWindow& GameWindow()
{
    return *window;
}

void SetThinkFunction(TThinkFunction think)
{
    thinkFunction = std::move(think);
}

bool HistoryIsFull()
{
    return Game.HistoryTop >= HistoryCapacity - 1;
}

void NewGame(bool startComputer)
{
    Game.GameBoard = InitialBoard();
    Game.ViewBoard = Game.GameBoard;
    Game.SideToMove = White;
    Game.HistoryTop = -1;
    Game.EmptyCount = 60;
    ResetBookCursors(Game.BookCursor);
    Game.InputEnabled = true;
    // Nothing of the previous game stays beside the fresh board.
    for (const int colour : { Black, White }) {
        window->SetLastMoveLabel(colour, "");
        window->SetEvalLabel(colour, "");
    }
    AfterMove();
    if (startComputer) {
        window->FormPaint();
        RunComputer();
    }
}

void PlayMove(int x, int y)
{
    if (HistoryIsFull()) {
        return;
    }
    MoveField(Game.HistoryTop + 1) = static_cast<std::uint16_t>(MoveCode(x, y));
    CountFlips(x, y, Game.SideToMove);
    AnimateMove(x, y);
}

void ResumeFromHistory()
{
    RestoreFromHistory();
    Game.ViewBoard = Game.GameBoard;
    UpdateCounts();
    Game.SideToMove = Game.HistoryTop % 2 == 1 ? White : Black;
    window->HighlightCountLabel(Game.SideToMove);
    CountLegalMoves();
    UpdateLastMoveLabels();
    SetBothPlayersHuman();
    ResetBookCursors(Game.BookCursor);
    window->FormPaint();
}

int SetUpFromMoves(std::span<const std::uint16_t> moveCodes)
{
    const TGameState before = Game;
    IGameWindow* shown = window;
    // The moves are replayed unseen, exactly as the flow plays them, so that passes and the end of the game
    // enter the history as in a game played on the board.
    TQuietWindow unseen;
    window = &unseen;
    NewGame(false);
    int refused = 0;
    for (std::size_t k = 0; k < moveCodes.size() && refused == 0; ++k) {
        const TSquare square = SquareOfMoveCode(moveCodes[k]);
        const bool onBoard = square.x >= 1 && square.x <= 8 && square.y >= 1 && square.y <= 8;
        if (!onBoard || Game.EmptyCount == 0 || Game.LegalMoveCount == 0 || HistoryIsFull()
            || !IsLegalMove(square.x, square.y, Game.SideToMove)) {
            refused = static_cast<int>(k) + 1;
        } else {
            PlayMove(square.x, square.y);
        }
    }
    window = shown;
    if (refused != 0) {
        Game = before;
        return refused;
    }
    Game.InputEnabled = true;
    ResumeFromHistory();
    return 0;
}

void RunComputer()
{
    if (CountLegalMovesOf(Game.SideToMove) == 0 || HistoryIsFull()) {
        return;
    }
    do {
        const int level = window->PlayerLevel(Game.SideToMove);
        if (level == HumanLevel) {
            return;
        }
        PlayComputerMove(level);
    } while (!Game.StopRequested && Game.EmptyCount != 0);
    // A stop that came while a move was shown is over now; its notice should not stay behind.
    if (Game.StopRequested) {
        window->SetStatusText("");
    }
}

void BackBtnClick()
{
    if (!Game.InputEnabled || Game.Busy) {
        RequestStop();
    } else {
        TakeBack();
    }
}

void RequestStop()
{
    Game.StopRequested = true;
    window->SetStatusText("Interrupted...Please wait.");
    window->RepaintPending();
}

void TakeBack()
{
    if (Game.HistoryTop < 2) {
        return;
    }
    window->SetEvalLabel(Black, "");
    window->SetEvalLabel(White, "");
    Game.HistoryTop -= 2;
    while (Game.History[Game.HistoryTop].Mobility == 0 && Game.HistoryTop >= 2) {
        Game.HistoryTop -= 2;
    }
    UpdateLastMoveLabels();
    RestoreFromHistory();
    Game.ViewBoard = Game.GameBoard;
    CountLegalMoves();
    UpdateCounts();
    ResetBookCursors(Game.BookCursor);
    window->FormPaint();
}

void Timer1Timer()
{
    ++Game.TimerTicks;
}

void CountLegalMoves()
{
    Game.LegalMoveCount = CountLegalMovesOf(Game.SideToMove);
}

void UpdateCounts()
{
    const int black = CountDiscs(Game.GameBoard, Black);
    const int white = CountDiscs(Game.GameBoard, White);
    window->SetCountLabel(Black, "Black: " + std::to_string(black));
    window->SetCountLabel(White, "White: " + std::to_string(white));
    Game.EmptyCount = 64 - black - white;
}

void RestoreFromHistory()
{
    UnpackRows(Game.History[Game.HistoryTop].Rows, Game.GameBoard);
}

void DisableInput()
{
    window->SetInputControlsEnabled(false);
    Game.InputEnabled = false;
}

void EnableInput()
{
    window->SetInputControlsEnabled(true);
    Game.InputEnabled = true;
}

} // namespace kalvoro::game
