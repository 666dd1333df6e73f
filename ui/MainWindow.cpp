// The main window's creation, layout, menus and commands. The game flow's window operations and the board's
// mouse input are in MainWindowView.cpp.
#include "MainWindow.h"

#include "HelpViewer.h"
#include "ResultDialog.h"
#include "game/GameFlow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>

namespace {

constexpr int StatusBarHeight = 20;
constexpr int TimerInterval = 50;

struct TMenuItem {
    const char* name;
    const char* caption;
    int tag;
};

constexpr TMenuItem SizeItems[]
    = { { "Small2", "&Small2", 18 }, { "Small1", "&Small1", 24 }, { "Midium1", "&Midium", 30 },
          { "Big1", "&Big1", 38 }, { "Big2", "&Big2", 44 }, { "Huge1", "&Huge", 52 } };
constexpr TMenuItem SpeedItems[] = { { "Slow1", "&Slow", 10 }, { "Midium2", "&Midium", 5 },
    { "Fast1", "&Fast", 2 }, { "NoWait1", "&No Wait", 0 } };

QAction* AddItem(QMenu* menu, const char* name, const char* caption, QKeySequence shortcut = {})
{
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

QActionGroup* AddChoices(QMenu* menu, const TMenuItem* first, const TMenuItem* last)
{
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (const TMenuItem* item = first; item != last; ++item) {
        QAction* action = AddItem(menu, item->name, item->caption);
        action->setCheckable(true);
        action->setData(item->tag);
        group->addAction(action);
    }
    return group;
}

QAction* ItemWithTag(QActionGroup* group, int tag)
{
    for (QAction* action : group->actions()) {
        if (action->data().toInt() == tag) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , Timer1(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Kalvoro"));
    setFont(ArialPixels(12));
    Timer1->setInterval(TimerInterval);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    CreateMenus();
    CreateClientArea();
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
    helpFile = HelpFileFor(QCoreApplication::applicationDirPath());
    Game.LevelTable = BuiltInLevelTable();
    Game.DebugMode = false;
    // The settings file will be read here (through the setters below); until then these are its defaults.
    SetCellSize(DefaultCellSize);
    SetPauseTicks(DefaultPauseTicks);
    SetShowEval(true);
    SetPlayerLevel(Black, HumanLevel);
    SetPlayerLevel(White, DefaultWhiteLevel);
    SizeClientArea();
    StartPending = StartPendingMark;
    NewGame(false);
    // The picture of the new game, for the first paint to show.
    boardView->Board().PaintBoard(Game.ViewBoard, Game.SideToMove);
}

void TForm1::SetCellSize(int size)
{
    if (QAction* item = ItemWithTag(sizeItems, size)) {
        item->setChecked(true);
        cellSize = size;
    }
}

void TForm1::SetPauseTicks(int ticks)
{
    if (QAction* item = ItemWithTag(speedItems, ticks)) {
        item->setChecked(true);
        timer1Tag = ticks;
    }
}

bool TForm1::ShowEval() const
{
    return ShowEval1->isChecked();
}

void TForm1::SetShowEval(bool shown)
{
    ShowEval1->setChecked(shown);
    ShowEval1Click();
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shownOnce) {
        shownOnce = true;
        FormShow();
    }
}

void TForm1::FormShow()
{
    // A game record named on the command line will be shown here in the analysis window alone.
}

void TForm1::FormDestroy()
{
    // The settings and then the auto-save record of the game in progress will be written here.
}

void TForm1::CreateMenus()
{
    Game1 = CreateGameMenu();
    Option1 = CreateOptionMenu();
    Help1 = CreateHelpMenu();
}

QMenu* TForm1::CreateGameMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Game"));
    menu->setObjectName(QStringLiteral("Game1"));
    connect(
        AddItem(menu, "New1", "&New", Qt::CTRL | Qt::Key_N), &QAction::triggered, this, &TForm1::New1Click);
    connect(AddItem(menu, "Open1", "&Open", Qt::CTRL | Qt::Key_O), &QAction::triggered, this,
        &TForm1::Open1Click);
    connect(AddItem(menu, "Save1", "&Save", Qt::CTRL | Qt::Key_S), &QAction::triggered, this,
        &TForm1::Save1Click);
    menu->addSeparator();
    connect(AddItem(menu, "Analyse1", "&Analyse", Qt::CTRL | Qt::Key_A), &QAction::triggered, this,
        &TForm1::Analyse1Click);
    menu->addSeparator();
    connect(AddItem(menu, "Exit1", "E&xit"), &QAction::triggered, this, &TForm1::Exit1Click);
    return menu;
}

QMenu* TForm1::CreateOptionMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Option"));
    menu->setObjectName(QStringLiteral("Option1"));
    QMenu* resize = menu->addMenu(QStringLiteral("Re&size"));
    resize->setObjectName(QStringLiteral("Resize1"));
    sizeItems = AddChoices(resize, std::begin(SizeItems), std::end(SizeItems));
    connect(sizeItems, &QActionGroup::triggered, this, &TForm1::SizeChange);
    QMenu* timer = menu->addMenu(QStringLiteral("&Timer"));
    timer->setObjectName(QStringLiteral("Timer2"));
    speedItems = AddChoices(timer, std::begin(SpeedItems), std::end(SpeedItems));
    NoWait1 = speedItems->actions().back();
    connect(speedItems, &QActionGroup::triggered, this, &TForm1::SpeedOptClick);
    connect(AddItem(menu, "Customize1", "&Customize", Qt::CTRL | Qt::Key_C), &QAction::triggered, this,
        &TForm1::Customize1Click);
    ShowEval1 = AddItem(menu, "ShowEval1", "&ShowEval", Qt::CTRL | Qt::Key_E);
    ShowEval1->setCheckable(true);
    connect(ShowEval1, &QAction::triggered, this, &TForm1::ShowEval1Click);
    return menu;
}

QMenu* TForm1::CreateHelpMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Help"));
    menu->setObjectName(QStringLiteral("Help1"));
    connect(AddItem(menu, "Index1", "&Index", Qt::CTRL | Qt::Key_H), &QAction::triggered, this,
        &TForm1::Index1Click);
    connect(AddItem(menu, "About1", "&About", Qt::CTRL | Qt::Key_V), &QAction::triggered, this,
        &TForm1::About1Click);
    return menu;
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
    FormDestroy();
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

void TForm1::New1Click()
{
    RunFlow([] { NewGame(true); });
}

void TForm1::Open1Click()
{
    // Opening a game record comes with the record files.
}

void TForm1::Save1Click()
{
    // Saving a game record comes with the record files.
}

void TForm1::Analyse1Click()
{
    // The analysis window opens here on the current history, modally.
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::SizeChange(QAction* item)
{
    item->setChecked(true);
    cellSize = item->data().toInt();
    SizeClientArea();
    FormPaint();
}

void TForm1::SpeedOptClick(QAction* item)
{
    item->setChecked(true);
    timer1Tag = item->data().toInt();
}

void TForm1::Customize1Click()
{
    // The customize dialog for the Custom level's three depths opens here.
}

void TForm1::ShowEval1Click()
{
    Panel1->BPts->setVisible(ShowEval1->isChecked());
    Panel1->WPts->setVisible(ShowEval1->isChecked());
}

void TForm1::Index1Click()
{
    ShowHelp(this, helpFile, QString::fromLatin1(HelpTopic));
}

void TForm1::About1Click()
{
    ShowAboutBox(this);
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
    RunFlow([] { ::BackBtnClick(); });
}

void TForm1::Timer1Timer()
{
    ::Timer1Timer();
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
