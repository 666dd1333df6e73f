// Shared pieces of the window tests: one application for the whole test program, a main window shown on the
// offscreen screen, and a watcher that notes and closes every modal dialog the game opens.
#pragma once

#include "support/QtTestApplication.h"

#include "analysis/AnalysisWindow.h"
#include "game/GameFlow.h"
#include "ui/MainWindow.h"
#include "widgets/Colours.h"
#include "widgets/Fonts.h"
#include "widgets/ResultDialog.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// What one closed dialog showed.
struct TSeenDialog {
    QString caption;
    QStringList lines;
};

// Closes each modal dialog as soon as it is open, keeping its caption and texts.
class TDialogCloser {
public:
    TDialogCloser()
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { CloseActive(); });
        timer.start();
    }
    std::vector<TSeenDialog> seen;

private:
    void CloseActive()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        TSeenDialog dialog { modal->windowTitle(), {} };
        if (auto* form4 = qobject_cast<TForm4*>(modal)) {
            dialog.lines = { form4->Label1->text(), form4->Label2->text(), form4->Label3->text() };
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            dialog.lines = { box->text() };
        }
        seen.push_back(dialog);
        if (auto* box = qobject_cast<QDialog*>(modal)) {
            box->done(QDialog::Accepted);
        } else {
            modal->close();
        }
    }
    QTimer timer;
};

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

// Answers the main window's file dialogs as told and keeps the error messages it would have shown. The
// analysis commands open the real analysis window, with its files in `analysisFolder`, only when that is set.
struct TMainDialogScript {
    std::optional<std::string> savePath;
    std::optional<std::string> openPath;
    std::optional<std::string> analysisFolder;
    std::string askedFolder;
    std::string askedName;
    std::vector<std::string> errors;
};

class TScriptedMainDialogs : public IMainDialogs {
public:
    explicit TScriptedMainDialogs(TMainDialogScript& sharedScript)
        : script(sharedScript)
    {
    }
    std::optional<std::string> AskSavePath(const std::string& folder, const std::string& name) override
    {
        script.askedFolder = folder;
        script.askedName = name;
        return script.savePath;
    }
    std::optional<std::string> AskOpenPath(const std::string& folder, const std::string& name) override
    {
        script.askedFolder = folder;
        script.askedName = name;
        return script.openPath;
    }
    void ShowError(const std::string& message) override { script.errors.push_back(message); }
    void ShowGameInAnalysis(const TAnalysisHandOver& handOver) override
    {
        if (script.analysisFolder) {
            ShowAnalysisWindow(nullptr, handOver, *script.analysisFolder);
        }
    }
    void ShowRecordInAnalysis(const std::string& path) override
    {
        if (script.analysisFolder) {
            ShowRecordInAnalysisWindow(nullptr, path, *script.analysisFolder);
        }
    }

private:
    TMainDialogScript& script;
};

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
    // A main window over the test's folder whose file dialogs answer from `script`.
    std::unique_ptr<TForm1> MakeForm(const std::string& recordPath = {})
    {
        return MakeForm(PortableLocations(folder), recordPath);
    }
    std::unique_ptr<TForm1> MakeForm(const TFileLocations& locations, const std::string& recordPath = {})
    {
        return std::make_unique<TForm1>(
            locations, recordPath, std::make_unique<TScriptedMainDialogs>(script));
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
    TMainDialogScript script;
    std::unique_ptr<TForm1> form;
};

inline QColor Pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}
