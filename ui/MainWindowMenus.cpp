// The main window's menu bar: its items with their access keys, shortcuts and tags, and the commands they
// run.
#include "MainWindow.h"

#include "CustomizeDialog.h"
#include "HelpViewer.h"
#include "game/GameFlow.h"
#include "records/MoveTranscript.h"
#include "records/RecordTime.h"
#include "widgets/ResultDialog.h"

#include <algorithm>
#include <filesystem>
#include <span>

#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QStyleOptionMenuItem>

namespace kalvoro::ui {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::widgets;

namespace {

// A menu that shows every key of an item that has several, so that a desktop key given beside the item's own
// one is shown too.
class TKeysMenu : public QMenu {
public:
    using QMenu::QMenu;

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override
    {
        QMenu::initStyleOption(option, action);
        QStringList keys;
        for (const QKeySequence& key : action->shortcuts()) {
            if (!key.isEmpty()) {
                keys << key.toString(QKeySequence::NativeText);
            }
        }
        if (keys.size() > 1 || (keys.size() == 1 && action->shortcut().isEmpty())) {
            const QString shown = keys.join(QStringLiteral(", "));
            option->text = action->text() + QLatin1Char('\t') + shown;
            // The menu sizes its key column for the first keys only: this item's keys take room from its
            // text.
            option->reservedShortcutWidth
                = std::max(option->reservedShortcutWidth, option->fontMetrics.horizontalAdvance(shown));
        }
    }
};

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* title)
{
    auto* menu = new TKeysMenu(QString::fromLatin1(title), bar);
    menu->setObjectName(QString::fromLatin1(name));
    bar->addMenu(menu);
    return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

// One checkable item per choice, tagged with the choice's value.
QActionGroup* AddChoices(QMenu* menu, std::span<const TOptionChoice> choices)
{
    auto* group = new QActionGroup(menu);
    // Not exclusive as a group, which would show radio bullets: the commands keep one item checked
    // themselves (CheckOnly), and the menu shows check marks.
    group->setExclusive(false);
    for (const TOptionChoice& choice : choices) {
        QAction* action = AddItem(menu, choice.itemName, choice.caption);
        action->setCheckable(true);
        action->setData(choice.value);
        group->addAction(action);
    }
    return group;
}

void CheckOnly(QActionGroup* group, QAction* chosen)
{
    for (QAction* action : group->actions()) {
        action->setChecked(action == chosen);
    }
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

void TForm1::SetCellSize(int size)
{
    if (QAction* item = ItemWithTag(sizeItems, size)) {
        CheckOnly(sizeItems, item);
        cellSize = size;
    }
}

void TForm1::SetPauseTicks(int ticks)
{
    if (QAction* item = ItemWithTag(speedItems, ticks)) {
        CheckOnly(speedItems, item);
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

void TForm1::CreateMenus()
{
    Game1 = CreateGameMenu();
    Option1 = CreateOptionMenu();
    Help1 = CreateHelpMenu();
}

QMenu* TForm1::CreateGameMenu()
{
    QMenu* menu = AddMenu(menuBar(), "Game1", "&Game");
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
    QAction* exit = AddItem(menu, "Exit1", "E&xit");
    // The desktop's usual key, beside the item's own (none).
    exit->setShortcuts({ QKeySequence(), QKeySequence(Qt::CTRL | Qt::Key_Q) });
    connect(exit, &QAction::triggered, this, &TForm1::Exit1Click);
    menu->addSeparator();
    connect(AddItem(menu, "TakeBack1", "Take &Back", Qt::CTRL | Qt::Key_Z), &QAction::triggered, this,
        &TForm1::TakeBack1Click);
    connect(AddItem(menu, "CopyMoves1", "&Copy Moves", Qt::CTRL | Qt::SHIFT | Qt::Key_C), &QAction::triggered,
        this, &TForm1::CopyMoves1Click);
    connect(AddItem(menu, "PasteMoves1", "&Paste Moves", Qt::CTRL | Qt::SHIFT | Qt::Key_V),
        &QAction::triggered, this, &TForm1::PasteMoves1Click);
    return menu;
}

QMenu* TForm1::CreateOptionMenu()
{
    QMenu* menu = AddMenu(menuBar(), "Option1", "&Option");
    QMenu* resize = menu->addMenu(QStringLiteral("Re&size"));
    resize->setObjectName(QStringLiteral("Resize1"));
    sizeItems = AddChoices(resize, CellSizeChoices);
    connect(sizeItems, &QActionGroup::triggered, this, &TForm1::SizeChange);
    QMenu* timer = menu->addMenu(QStringLiteral("&Timer"));
    timer->setObjectName(QStringLiteral("Timer2"));
    speedItems = AddChoices(timer, PauseChoices);
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
    QMenu* menu = AddMenu(menuBar(), "Help1", "&Help");
    QAction* index = AddItem(menu, "Index1", "&Index");
    index->setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_H), QKeySequence(Qt::Key_F1) });
    connect(index, &QAction::triggered, this, &TForm1::Index1Click);
    connect(AddItem(menu, "About1", "&About", Qt::CTRL | Qt::Key_V), &QAction::triggered, this,
        &TForm1::About1Click);
    return menu;
}

void TForm1::New1Click()
{
    RunFlow([] { NewGame(true); });
}

void TForm1::Open1Click()
{
    if (const std::optional<std::string> path = dialogs->AskOpenPath(DialogFolder(), lastOpenName)) {
        OpenRecord(*path);
    }
}

void TForm1::OpenRecord(const std::string& path)
{
    lastOpenName = std::filesystem::path(path).filename().string();
    try {
        OpenGameRecord(path);
    } catch (const TFileError& error) {
        // The record was read into a scratch copy: the game in progress is untouched.
        dialogs->ShowError(error.what());
    }
}

void TForm1::CopyMoves1Click()
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(TranscriptOf(GameMoves())));
}

void TForm1::PasteMoves1Click()
{
    PasteMoves(QGuiApplication::clipboard()->text().toStdString());
}

void TForm1::PasteMoves(const std::string& text)
{
    const TTranscriptReading reading = ReadTranscript(text);
    const std::string refusal = "Cannot paste the moves: ";
    if (reading.unreadable) {
        dialogs->ShowError(refusal + "move " + std::to_string(reading.unreadable->number) + ", \""
            + reading.unreadable->text + "\", cannot be read.");
    } else if (reading.moveCodes.empty()) {
        dialogs->ShowError(refusal + "the clipboard holds no moves.");
    } else if (const int refused = SetUpFromMoves(reading.moveCodes); refused != 0) {
        dialogs->ShowError(refusal + "move " + std::to_string(refused) + ", \""
            + MoveCodeName(reading.moveCodes[static_cast<std::size_t>(refused - 1)])
            + "\", cannot be played there.");
    }
}

void TForm1::Save1Click()
{
    const std::optional<std::string> path
        = dialogs->AskSavePath(DialogFolder(), SaveDialogDefaultName(LocalNow()));
    if (!path) {
        return;
    }
    try {
        WriteGameRecord(*path, LocalNow(), PlayerNames(PlayerLevel(Black), PlayerLevel(White)));
    } catch (const TFileError& error) {
        dialogs->ShowError(error.what());
    }
}

void TForm1::Analyse1Click()
{
    dialogs->ShowGameInAnalysis(
        MakeAnalysisHandOver(LocalNow(), PlayerNames(PlayerLevel(Black), PlayerLevel(White))));
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::TakeBack1Click()
{
    // Back while the computer thinks would stop it: the key only takes back what the button could.
    if (Game.InputEnabled && !Game.Busy) {
        BackBtnClick();
    }
}

void TForm1::SizeChange(QAction* item)
{
    CheckOnly(sizeItems, item);
    cellSize = item->data().toInt();
    SizeClientArea();
    FormPaint();
}

void TForm1::SpeedOptClick(QAction* item)
{
    CheckOnly(speedItems, item);
    timer1Tag = item->data().toInt();
}

void TForm1::Customize1Click()
{
    EditCustomDepths(this, Game.LevelTable[CustomLevel]);
}

void TForm1::ShowEval1Click()
{
    Panel1->BPts->setVisible(ShowEval1->isChecked());
    Panel1->WPts->setVisible(ShowEval1->isChecked());
}

void TForm1::Index1Click()
{
    ShowHelp(this, helpFile, QString::fromLatin1(HelpTopic),
        QString::fromStdString(DescribeFileLocations(locations)));
}

void TForm1::About1Click()
{
    ShowAboutBox(this);
}

} // namespace kalvoro::ui
