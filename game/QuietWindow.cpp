#include "QuietWindow.h"

#include "GameFlow.h"

namespace kalvoro::game {

using namespace kalvoro::engine;
using namespace kalvoro::records;

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

} // namespace kalvoro::game
