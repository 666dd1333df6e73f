// What the game flow needs of a window. The main window implements it; tests use a recording fake and the
// command-line tool a quiet one, so a whole game runs without a screen.
#pragma once

#include <string>

namespace kalvoro::game {

class IGameWindow {
public:
    virtual ~IGameWindow() = default;

    // Draws square (x, y) from its ViewBoard value, erasing an emptied square.
    virtual void DrawSquare(int x, int y) = 0;
    // Paints the whole board from ViewBoard.
    virtual void FormPaint() = 0;
    // Sets every legal-move mark of ViewBoard back to empty without redrawing.
    virtual void ClearLegalMarks() = 0;

    virtual void SetCountLabel(int colour, const std::string& text) = 0;
    virtual void SetLastMoveLabel(int colour, const std::string& text) = 0;
    virtual void SetEvalLabel(int colour, const std::string& text) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Highlights the count label of `colour` and shows the other one plain.
    virtual void HighlightCountLabel(int colour) = 0;

    virtual void SetBusyCursor(bool busy) = 0;
    // The Game, Option and Help menus with their shortcuts, and both player selectors.
    virtual void SetInputControlsEnabled(bool enabled) = 0;
    // Only the two player selectors.
    virtual void SetPlayerSelectorsEnabled(bool enabled) = 0;

    // The item index of the player selector of `colour`: 0 Human, 1 to 9 a computer level.
    virtual int PlayerLevel(int colour) = 0;
    // Sets a selector from the program; its change handler does not run.
    virtual void SetPlayerLevel(int colour, int level) = 0;

    // The modal pass message: one line in the middle of the result dialog, closed by the user.
    virtual void ShowPassMessage(const std::string& line) = 0;
    // The modal result dialog with three lines, closed by the user.
    virtual void ShowResultDialog(
        const std::string& line1, const std::string& line2, const std::string& line3)
        = 0;

    // Whether "No Wait" is checked, and the pause per disc in 50 ms ticks.
    virtual bool NoWait() = 0;
    virtual int PauseTicks() = 0;
    // Starts or stops the 50 ms animation timer, whose ticks call TimerTick().
    virtual void SetAnimationTimer(bool enabled) = 0;

    // Repaints pending parts of the window at once.
    virtual void RepaintPending() = 0;
    // Processes pending window messages and returns.
    virtual void ProcessMessages() = 0;

    // Opens the analysis window on the current history, modally.
    virtual void OpenAnalysis() = 0;

    // Debug mode: shows a root move's value on its square while the computer searches.
    virtual void DrawDebugValue(int x, int y, int value) = 0;
};

} // namespace kalvoro::game
