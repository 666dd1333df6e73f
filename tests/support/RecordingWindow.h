// A fake window for game-flow tests: it records every call in order as a short text, answers the players'
// levels and the animation options it is given, closes its dialogs at once, and lets a test act at the n-th
// processing of window messages (as a click on Back/Stop would).
#pragma once

#include "game/GameFlow.h"
#include "game/GameWindow.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;

class TRecordingWindow : public IGameWindow {
public:
    std::vector<std::string> calls;
    std::array<int, 2> levels { 0, 0 };
    bool noWait = false;
    int pauseTicks = 5;
    int messageRounds = 0;
    // Called at every processing of messages with its running number (1, 2, ...).
    std::function<void(int)> onProcessMessages;
    std::array<std::string, 2> countLabels, lastMoveLabels, evalLabels;
    std::string statusText;
    std::vector<std::string> passMessages;
    std::vector<std::array<std::string, 3>> results;
    int highlighted = 0;
    bool inputControlsEnabled = true;

    static int Slot(int colour) { return colour == 1 ? 0 : 1; }
    static std::string Colour(int colour) { return colour == 1 ? "Black" : "White"; }

    void DrawSquare(int x, int y) override { Record("DrawSquare " + SquareName(x, y)); }
    void FormPaint() override { Record("FormPaint"); }
    void ClearLegalMarks() override { Record("ClearLegalMarks"); }
    void SetCountLabel(int colour, const std::string& text) override
    {
        countLabels[Slot(colour)] = text;
        Record("CountLabel " + Colour(colour) + " " + text);
    }
    void SetLastMoveLabel(int colour, const std::string& text) override
    {
        lastMoveLabels[Slot(colour)] = text;
        Record("LastMoveLabel " + Colour(colour) + " " + text);
    }
    void SetEvalLabel(int colour, const std::string& text) override
    {
        evalLabels[Slot(colour)] = text;
        Record("EvalLabel " + Colour(colour) + " " + text);
    }
    void SetStatusText(const std::string& text) override
    {
        statusText = text;
        Record("Status " + text);
    }
    void HighlightCountLabel(int colour) override
    {
        highlighted = colour;
        Record("Highlight " + Colour(colour));
    }
    void SetBusyCursor(bool busy) override { Record(busy ? "Cursor busy" : "Cursor normal"); }
    void SetInputControlsEnabled(bool enabled) override
    {
        inputControlsEnabled = enabled;
        Record(enabled ? "Input on" : "Input off");
    }
    void SetPlayerSelectorsEnabled(bool enabled) override
    {
        Record(enabled ? "Selectors on" : "Selectors off");
    }
    int PlayerLevel(int colour) override { return levels[Slot(colour)]; }
    void SetPlayerLevel(int colour, int level) override
    {
        levels[Slot(colour)] = level;
        Record("SetPlayer " + Colour(colour) + " " + std::to_string(level));
    }
    void ShowPassMessage(const std::string& line) override
    {
        passMessages.push_back(line);
        Record("Pass " + line);
    }
    void ShowResultDialog(
        const std::string& line1, const std::string& line2, const std::string& line3) override
    {
        results.push_back({ line1, line2, line3 });
        Record("Result " + line1 + " | " + line2 + " | " + line3);
    }
    bool NoWait() override { return noWait; }
    int PauseTicks() override { return pauseTicks; }
    void SetAnimationTimer(bool enabled) override
    {
        timerEnabled = enabled;
        Record(enabled ? "Timer on" : "Timer off");
    }
    void RepaintPending() override { Record("RepaintPending"); }
    void ProcessMessages() override
    {
        ++messageRounds;
        if (onProcessMessages) {
            onProcessMessages(messageRounds);
        }
        if (timerEnabled) {
            Timer1Timer();
        }
    }
    void OpenAnalysis() override { Record("OpenAnalysis"); }
    void DrawDebugValue(int x, int y, int value) override
    {
        Record("DebugValue " + SquareName(x, y) + " " + std::to_string(value));
    }

    // The recorded calls whose text begins with `prefix`.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const auto& call : calls) {
            if (call.rfind(prefix, 0) == 0) {
                found.push_back(call);
            }
        }
        return found;
    }

private:
    bool timerEnabled = false;
    void Record(std::string call) { calls.push_back(std::move(call)); }
};
