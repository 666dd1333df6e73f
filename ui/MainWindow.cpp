// The main window's creation and closing, its layout, the player selectors, the Back/Stop button and the
// debug gesture. The menus are in MainWindowMenus.cpp, the game flow's window operations and the board's
// mouse input in MainWindowView.cpp.
#include "MainWindow.h"

#include "HelpViewer.h"
#include "game/GameFlow.h"
#include "records/RecordTime.h"
#include "widgets/Fonts.h"
#include "widgets/RecordDialogs.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLayout>
#include <QMimeData>
#include <QMouseEvent>

namespace kalvoro::ui {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::widgets;

namespace {

constexpr int StatusBarHeight = 20;
constexpr int TimerInterval = 50;

} // namespace

TForm1::TForm1(
    TFileLocations fileLocations, std::string record, std::unique_ptr<IMainDialogs> answerer, QWidget* parent)
    : QMainWindow(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , locations(std::move(fileLocations))
    , recordPath(std::move(record))
    , dialogs(answerer ? std::move(answerer) : std::make_unique<TMainDialogs>(this, locations.DataFolder))
    , Timer1(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Kalvoro"));
    setFont(ArialPixels(12));
    Timer1->setInterval(TimerInterval);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    CreateMenus();
    CreateClientArea();
    setAcceptDrops(true);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    SetGameWindow(this);
    FormCreate();
}

TForm1::~TForm1()
{
    SetBusyCursor(false);
    SetGameWindow(nullptr);
}

void TForm1::FormCreate()
{
    helpFile = HelpFileFor(QString::fromStdString(locations.ProgramFolder));
    Game.LevelTable = BuiltInLevelTable();
    Game.DebugMode = false;
    ApplySettings(LoadSettings(SettingsPath(locations.SettingsFolder)));
    SizeClientArea();
    StartPending = StartPendingMark;
    NewGame(false);
    // The picture of the new game, for the first paint to show.
    boardView->Board().PaintBoard(Game.ViewBoard, Game.SideToMove);
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shownOnce) {
        shownOnce = true;
        FormShow();
    }
}

void TForm1::ApplySettings(const TSettings& settings)
{
    SetCellSize(settings.CellSize);
    SetPauseTicks(settings.PauseTicks);
    SetShowEval(settings.ShowEval);
    // Set from the program: the change handlers do not run, so no computer starts before the first paint.
    SetPlayerLevel(Black, settings.BlackLevel);
    SetPlayerLevel(White, settings.WhiteLevel);
    Game.LevelTable[CustomLevel] = settings.Custom;
}

TSettings TForm1::CurrentSettings() const
{
    return { cellSize, timer1Tag, ShowEval1->isChecked(), Panel1->Combo1->currentIndex(),
        Panel1->Combo2->currentIndex(), Game.LevelTable[CustomLevel] };
}

void TForm1::FormShow()
{
    if (recordPath.empty()) {
        return;
    }
    // No game is played in this run: the first paint must not start the computer.
    StartPending = 0;
    QTimer::singleShot(0, this, &TForm1::ShowRecordAlone);
}

void TForm1::ShowRecordAlone()
{
    // The record is shown alone: the main window stays out of sight behind it.
    hide();
    dialogs->ShowRecordInAnalysis(recordPath);
    close();
    // Closing a hidden window does not end the application by itself.
    QCoreApplication::quit();
}

void TForm1::FormDestroy()
{
    if (!recordPath.empty()) {
        return;
    }
    if (const std::optional<std::string> failure = SaveAtExit(locations, CurrentSettings(), LocalNow())) {
        dialogs->ShowError(*failure);
    }
}

std::string TForm1::DialogFolder() const
{
    try {
        CreateFolder(locations.DataFolder);
    } catch (const TFileError&) {
        return {};
    }
    return locations.DataFolder;
}

void TForm1::CreateClientArea()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    boardView = new TBoardView(cellSize, client);
    boardView->move(0, 0);
    Panel1 = new TSidePanel(client);
    StatBar = new QLabel(client);
    StatBar->setObjectName(QStringLiteral("StatBar"));
    StatBar->setFont(ArialPixels(15, true, true));
    StatBar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    StatBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatBar->setLineWidth(1);
    connect(boardView, &TBoardView::MousePressed, this,
        [this](Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, QPoint at) {
            FormMouseDown(button, buttons, keys, at);
        });
    connect(boardView, &TBoardView::MouseReleased, this,
        [this](Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint at) {
            FormMouseUp(button, at);
        });
    connect(boardView, &TBoardView::MouseMoved, this, &TForm1::FormMouseMove);
    // The board takes the keyboard first, for keyboard play; a click on it brings the keys back.
    boardView->setFocusPolicy(Qt::StrongFocus);
    boardView->setFocus();
    connect(boardView, &TBoardView::KeyPressed, this, &TForm1::BoardKeyPressed);
    connect(boardView, &TBoardView::KeyReleased, this, &TForm1::BoardKeyReleased);
    connect(boardView, &TBoardView::Painted, this, &TForm1::BoardPainted);
    connect(Panel1->Combo1, &QComboBox::activated, this, [this] { ComboChange(Black); });
    connect(Panel1->Combo2, &QComboBox::activated, this, [this] { ComboChange(White); });
    connect(Panel1->BackBtn, &QToolButton::clicked, this, &TForm1::BackBtnClick);
    Panel1->BPts->installEventFilter(this);
}

void TForm1::SizeClientArea()
{
    const int board = 8 * cellSize + 1;
    centralWidget()->setFixedSize(board + SidePanelWidth, board + StatusBarHeight);
    boardView->Resize(cellSize);
    Panel1->setGeometry(board, 0, SidePanelWidth, board);
    StatBar->setGeometry(0, board, board + SidePanelWidth, StatusBarHeight);
    adjustSize();
}

void TForm1::RunFlow(const std::function<void()>& step)
{
    ++flowDepth;
    step();
    --flowDepth;
    if (flowDepth == 0 && closeRequested) {
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TForm1::BoardPainted()
{
    if (StartPending != StartPendingMark) {
        return;
    }
    StartPending = 0;
    // Painting must not run the game; the computer starts as soon as this paint is over.
    QTimer::singleShot(0, this, [this] { RunFlow([] { RunComputer(); }); });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (flowDepth > 0) {
        // The turn in progress ends first: the computer stops at its next check, a move being shown is
        // completed, and the window closes as soon as the game flow has returned.
        if (!closeRequested) {
            closeRequested = true;
            levelsAtClose = { PlayerLevel(Black), PlayerLevel(White) };
            RequestStop();
        }
        event->ignore();
        return;
    }
    if (closeRequested) {
        // A stopped computer turn hands its side to Human; the players chosen by the user are kept.
        SetPlayerLevel(Black, levelsAtClose[0]);
        SetPlayerLevel(White, levelsAtClose[1]);
    }
    if (!settingsWritten) {
        settingsWritten = true;
        FormDestroy();
    }
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel1->BPts && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        BPtsMouseDown(press->buttons(), press->modifiers());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (Game.InputEnabled && !Game.Busy && DroppedRecordPath(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void TForm1::dropEvent(QDropEvent* event)
{
    const std::optional<std::string> path = DroppedRecordPath(event->mimeData());
    if (!path || !Game.InputEnabled || Game.Busy) {
        return;
    }
    event->acceptProposedAction();
    OpenRecord(*path);
}

void TForm1::ComboChange(int colour)
{
    SetEvalLabel(colour, "");
    if (PlayerLevel(colour) == HumanLevel || colour != Game.SideToMove || Game.EmptyCount == 0) {
        return;
    }
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            if (IsLegalMove(x, y, colour)) {
                RunFlow([] { RunComputer(); });
                return;
            }
        }
    }
}

void TForm1::BackBtnClick()
{
    RunFlow([] { game::BackBtnClick(); });
}

void TForm1::Timer1Timer()
{
    game::Timer1Timer();
}

void TForm1::BPtsMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys)
{
    constexpr Qt::KeyboardModifiers held
        = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (buttons != Qt::LeftButton || (keys & held) != (Qt::AltModifier | Qt::ControlModifier)) {
        return;
    }
    Game.DebugMode = true;
    setWindowTitle(QStringLiteral("CAUTION! Debug Mode"));
}

} // namespace kalvoro::ui
