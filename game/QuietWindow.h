// A window that shows nothing: for the command-line tool and for running games headless. Its players are
// set by the caller, it never pauses, and it keeps the lines of the last result dialog.
#pragma once

#include "GameWindow.h"
#include "engine/Levels.h"

#include <array>
#include <string>

namespace kalvoro::game {

using namespace kalvoro::engine;

class TQuietWindow : public IGameWindow {
public:
    std::array<int, 2> playerLevels { HumanLevel, HumanLevel };
    std::array<std::string, 3> lastResult;
    std::array<std::string, 2> evalLabels;

    void DrawSquare(int, int) override { }
    void FormPaint() override { }
    void ClearLegalMarks() override;
    void SetCountLabel(int, const std::string&) override { }
    void SetLastMoveLabel(int, const std::string&) override { }
    void SetEvalLabel(int colour, const std::string& text) override { evalLabels[SlotOf(colour)] = text; }
    void SetStatusText(const std::string&) override { }
    void HighlightCountLabel(int) override { }
    void SetBusyCursor(bool) override { }
    void SetInputControlsEnabled(bool) override { }
    void SetPlayerSelectorsEnabled(bool) override { }
    int PlayerLevel(int colour) override { return playerLevels[SlotOf(colour)]; }
    void SetPlayerLevel(int colour, int level) override { playerLevels[SlotOf(colour)] = level; }
    void ShowPassMessage(const std::string&) override { }
    void ShowResultDialog(
        const std::string& line1, const std::string& line2, const std::string& line3) override
    {
        lastResult = { line1, line2, line3 };
    }
    bool NoWait() override { return true; }
    int PauseTicks() override { return 0; }
    void SetAnimationTimer(bool enabled) override { timerEnabled = enabled; }
    void RepaintPending() override { }
    void ProcessMessages() override;
    void OpenAnalysis() override { }
    void DrawDebugValue(int, int, int) override { }

private:
    static int SlotOf(int colour) { return colour == 1 ? 0 : 1; }
    bool timerEnabled = false;
};

} // namespace kalvoro::game
