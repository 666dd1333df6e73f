// Shared pieces of the main window's tests: a main window over a scratch folder of its own, shown on the
// offscreen screen, whose dialogs answer from a script (support/ScriptedUser.h).
#pragma once

#include "support/ScriptedUser.h"

#include "game/GameFlow.h"
#include "ui/MainWindow.h"
#include "widgets/Colours.h"
#include "widgets/Fonts.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::analysis;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

// A computer player for the window tests: plays the first legal square in row order, processing messages
// once, and stops when asked.
inline TSquare FirstLegalSquare(int)
{
    GameWindow().ProcessMessages();
    if (Game.StopRequested) {
        return {};
    }
    for (std::int16_t y = 1; y <= 8; ++y) {
        for (std::int16_t x = 1; x <= 8; ++x) {
            if (IsLegalMove(x, y, Game.SideToMove)) {
                return { x, y };
            }
        }
    }
    return {};
}

// A portable copy in a fresh folder of its own: the settings file and the auto-save record go there.
inline TFileLocations PortableLocations(const QTemporaryDir& folder)
{
    const std::string path = folder.path().toStdString();
    return { path, path, path, true };
}

class TWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApplication();
        ResetGameState();
        SetThinkFunction(nullptr);
        ASSERT_TRUE(folder.isValid());
        form = MakeForm();
    }
    // A main window over the test's folder whose dialogs answer from `script`; its analysis commands open
    // nothing unless `script.analysisFolder` is set.
    std::unique_ptr<TForm1> MakeForm(const std::string& recordPath = {})
    {
        return MakeForm(PortableLocations(folder), recordPath);
    }
    std::unique_ptr<TForm1> MakeForm(const TFileLocations& locations, const std::string& recordPath = {})
    {
        return std::make_unique<TForm1>(locations, recordPath, std::make_unique<TScriptedDialogs>(script));
    }
    std::string PathIn(const char* name) const
    {
        return folder.filePath(QString::fromLatin1(name)).toStdString();
    }
    void TearDown() override
    {
        form.reset();
        SetThinkFunction(nullptr);
    }
    void ShowForm()
    {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        QApplication::processEvents();
    }
    QAction* Item(const char* name) const { return form->findChild<QAction*>(QString::fromLatin1(name)); }
    // The middle of square (x, y) in board coordinates.
    QPoint Centre(int x, int y) const
    {
        const int c = form->CellSize();
        return { (x - 1) * c + c / 2, (y - 1) * c + c / 2 };
    }
    QImage BoardPicture() const { return form->BoardView()->grab().toImage(); }
    // Waits until the game flow is idle again (after a zero-time start or a stop).
    static bool WaitUntilIdle(int milliseconds = 2000)
    {
        return QTest::qWaitFor([] { return Game.InputEnabled && !Game.Busy; }, milliseconds);
    }

    QTemporaryDir folder;
    TDialogScript script;
    std::unique_ptr<TForm1> form;
};

inline QColor Pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}
