// The main window: the board, the side panel, the status bar and the menus. It holds no game state: the game
// flow drives it through IGameWindow, and its handlers turn clicks and menu commands into calls of the flow.
#pragma once

#include "BoardView.h"
#include "MainDialogs.h"
#include "SidePanel.h"
#include "game/GameSave.h"
#include "game/GameWindow.h"
#include "records/FileLocations.h"
#include "records/Settings.h"

#include <QActionGroup>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace kalvoro::ui {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::widgets;

constexpr int StartPendingMark = 9999;
// The help document's contents page.
inline constexpr char HelpTopic[] = "HID00000003";

class TForm1 : public QMainWindow, public IGameWindow {
    Q_OBJECT
public:
    // The settings are read from `fileLocations` at creation and written there at the end, with the auto-save
    // record, unless `record` (a path) is given: then the window shows that record in the analysis window as
    // it is first shown, ends the program when it is closed, and writes nothing. `answerer` answers in place
    // of the user and of the analysis window (tests); the real dialogs and analysis window when null.
    explicit TForm1(TFileLocations fileLocations, std::string record = {},
        std::unique_ptr<IMainDialogs> answerer = nullptr, QWidget* parent = nullptr);
    ~TForm1() override;

    const TFileLocations& FileLocations() const { return locations; }
    // The options as the window holds them, for the settings file.
    TSettings CurrentSettings() const;

    // --- The game flow's window operations.
    void DrawSquare(int x, int y) override;
    void FormPaint() override;
    void ClearLegalMarks() override;
    void SetCountLabel(int colour, const std::string& text) override;
    void SetLastMoveLabel(int colour, const std::string& text) override;
    void SetEvalLabel(int colour, const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void HighlightCountLabel(int colour) override;
    void SetBusyCursor(bool busy) override;
    void SetInputControlsEnabled(bool enabled) override;
    void SetPlayerSelectorsEnabled(bool enabled) override;
    int PlayerLevel(int colour) override;
    void SetPlayerLevel(int colour, int level) override;
    void ShowPassMessage(const std::string& line) override;
    void ShowResultDialog(
        const std::string& line1, const std::string& line2, const std::string& line3) override;
    bool NoWait() override;
    int PauseTicks() override;
    void SetAnimationTimer(bool enabled) override;
    void RepaintPending() override;
    void ProcessMessages() override;
    void OpenAnalysis() override;
    void DrawDebugValue(int x, int y, int value) override;

    // --- Board drawing and input.
    int CellSize() const { return cellSize; }
    void RedrawDiscs();
    void MarkLegalMoves();
    void FormMouseMove(QPoint at);
    void FormMouseDown(
        Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, QPoint at);
    void FormMouseUp(Qt::MouseButton button, QPoint at);
    // Keyboard play on the board: the arrows move a square cursor (shown from the first key on) and name its
    // square, Enter or Space plays there as a click would, Escape hides the cursor, and Shift held shows the
    // legal moves as the right button does.
    void BoardKeyPressed(int key);
    void BoardKeyReleased(int key);

    // The options as the settings file holds them. A size or pause that no menu item carries is ignored;
    // the size takes effect on the screen at the next size change or FormCreate's sizing.
    void SetCellSize(int size);
    void SetPauseTicks(int ticks);
    bool ShowEval() const;
    void SetShowEval(bool shown);

    // The help document Index opens; set at creation to Kalvoro.hlp in the program's folder (HelpFileFor).
    QString HelpFile() const { return helpFile; }
    void SetHelpFile(const QString& path) { helpFile = path; }

    TBoardView* BoardView() const { return boardView; }
    TSidePanel* Panel() const { return Panel1; }
    QLabel* StatusBar() const { return StatBar; }
    QWidget* ClientArea() const { return centralWidget(); }

public slots:
    void New1Click();
    void Open1Click();
    void Save1Click();
    void Analyse1Click();
    void Exit1Click();
    // Ctrl+Z: Back, when Back would take a move back.
    void TakeBack1Click();
    // The game so far on the clipboard as square names ("f5d6c3"), passes left out.
    void CopyMoves1Click();
    // The game set up from the moves on the clipboard, as Open sets up a record; refused with a message
    // that names the first move that cannot be read or played.
    void PasteMoves1Click();
    void SizeChange(QAction* item);
    void SpeedOptClick(QAction* item);
    void Customize1Click();
    void ShowEval1Click();
    void Index1Click();
    void About1Click();
    void ComboChange(int colour);
    void BackBtnClick();
    void Timer1Timer();
    // A press on the Black evaluation label: exactly Alt, Ctrl and the left button turn on debug mode.
    void BPtsMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A game record dropped on the window is opened as Open would, while the game takes input.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void ApplySettings(const TSettings& settings);
    void ShowRecordAlone();
    // Open's work after its dialog, also for a record dropped on the window.
    void OpenRecord(const std::string& path);
    void PasteMoves(const std::string& text);
    // The folder the file dialogs start in: the data folder, created when it is missing (when it cannot be
    // created, the dialog starts where it likes).
    std::string DialogFolder() const;
    void CreateMenus();
    QMenu* CreateGameMenu();
    QMenu* CreateOptionMenu();
    QMenu* CreateHelpMenu();
    void CreateClientArea();
    void SizeClientArea();
    void BoardPainted();
    void DebugEdit(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, QPoint at);
    // Runs one turn of the game flow from an event handler, and closes the window afterwards when a close
    // was asked for while the flow was busy.
    void RunFlow(const std::function<void()>& step);

    int cellSize = DefaultCellSize;
    int StartPending = 0;
    int timer1Tag = DefaultPauseTicks;
    bool busyCursorShown = false;
    bool closeRequested = false;
    bool shownOnce = false;
    // FormDestroy runs once, at the first accepted close.
    bool settingsWritten = false;
    int flowDepth = 0;
    // The legal moves are shown while Shift is held.
    bool marksShownByKey = false;
    std::array<int, 2> levelsAtClose {};
    QString helpFile;
    TFileLocations locations;
    std::string recordPath;
    // The open dialog offers the file name chosen last.
    std::string lastOpenName;
    std::unique_ptr<IMainDialogs> dialogs;

    TBoardView* boardView = nullptr;
    TSidePanel* Panel1 = nullptr;
    QLabel* StatBar = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* Game1 = nullptr;
    QMenu* Option1 = nullptr;
    QMenu* Help1 = nullptr;
    QActionGroup* sizeItems = nullptr;
    QActionGroup* speedItems = nullptr;
    QAction* NoWait1 = nullptr;
    QAction* ShowEval1 = nullptr;
};

} // namespace kalvoro::ui
