#include "QuietWindow.h"

#include "GameFlow.h"

void TQuietWindow::ClearLegalMarks()
{
    for (auto& cell : Game.ViewBoard) {
        if (cell == LegalMark) {
            cell = EmptyCell;
        }
    }
}

void TQuietWindow::ProcessMessages()
{
    // Time passes only while the animation timer runs, so that a pause always ends.
    if (timerEnabled) {
        Timer1Timer();
    }
}
