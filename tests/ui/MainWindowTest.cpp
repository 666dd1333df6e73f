// The main window on the offscreen screen: its size per board size, the side panel, the mouse on the board,
// the menus and their checks, input switched off while the game flow works, and the hidden debug mode.
#include "UiTestSupport.h"

#include <QComboBox>
#include <QLayout>
#include <QMenuBar>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::analysis;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

namespace {

const QColor BlackColour(0, 0, 0);

TEST_F(TWindowTest, ClientAreaFollowsTheBoardSizeAndStaysFixed)
{
    ShowForm();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kalvoro"));
    EXPECT_EQ(form->ClientArea()->size(), QSize(331, 261));
    EXPECT_EQ(form->font().pixelSize(), 12);
    const QImage start = BoardPicture();
    EXPECT_EQ(Pixel(start, 0, 100), BlackColour);
    EXPECT_EQ(Pixel(start, 240, 100), BlackColour);
    EXPECT_EQ(Pixel(start, 31, 100), BlackColour);
    EXPECT_EQ(Pixel(start, Centre(4, 4).x(), Centre(4, 4).y()), QColor(255, 255, 255));
    EXPECT_EQ(Pixel(start, Centre(5, 4).x(), Centre(5, 4).y()), BlackColour);
    Item("Big2")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(form->CellSize(), 44);
    EXPECT_EQ(form->ClientArea()->size(), QSize(443, 373));
    EXPECT_EQ(form->ClientArea()->geometry().top(), form->menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(form->height(), form->menuBar()->height() + 373);
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->BoardView()->size(), QSize(353, 353));
    EXPECT_EQ(form->Panel()->geometry(), QRect(353, 0, 90, 353));
    EXPECT_EQ(form->StatusBar()->geometry(), QRect(0, 353, 443, 20));
    for (const char* name : { "Small2", "Small1", "Midium1", "Big1", "Huge1" }) {
        EXPECT_FALSE(Item(name)->isChecked()) << name;
    }
    EXPECT_TRUE(Item("Big2")->isChecked());
    Item("Big2")->trigger(); // choosing the checked size again keeps it checked
    EXPECT_TRUE(Item("Big2")->isChecked());
    const QImage board = BoardPicture();
    EXPECT_EQ(Pixel(board, 0, 100), BlackColour);
    EXPECT_EQ(Pixel(board, 8 * 44, 100), BlackColour);
    EXPECT_EQ(Pixel(board, 8 * 44 - 1, 100), Colours::Green);
    Item("Small2")->trigger();
    EXPECT_EQ(form->ClientArea()->size(), QSize(8 * 18 + 91, 8 * 18 + 21));
    EXPECT_EQ(form->Panel()->height(), 145);
}

TEST_F(TWindowTest, MenusHoldTheirItemsWithAccessKeysShortcutsAndTags)
{
    const QList<QAction*> menus = form->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&Game"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Option"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Help"));
    const std::pair<const char*, QKeySequence> shortcuts[] = { { "New1", QKeySequence(Qt::CTRL | Qt::Key_N) },
        { "Open1", QKeySequence(Qt::CTRL | Qt::Key_O) }, { "Save1", QKeySequence(Qt::CTRL | Qt::Key_S) },
        { "Analyse1", QKeySequence(Qt::CTRL | Qt::Key_A) },
        { "Customize1", QKeySequence(Qt::CTRL | Qt::Key_C) },
        { "ShowEval1", QKeySequence(Qt::CTRL | Qt::Key_E) }, { "Index1", QKeySequence(Qt::CTRL | Qt::Key_H) },
        { "About1", QKeySequence(Qt::CTRL | Qt::Key_V) }, { "Exit1", QKeySequence() } };
    for (const auto& [name, keys] : shortcuts) {
        ASSERT_NE(Item(name), nullptr) << name;
        EXPECT_EQ(Item(name)->shortcut(), keys) << name;
    }
    const std::pair<const char*, int> tags[]
        = { { "Small2", 18 }, { "Small1", 24 }, { "Midium1", 30 }, { "Big1", 38 }, { "Big2", 44 },
              { "Huge1", 52 }, { "Slow1", 10 }, { "Midium2", 5 }, { "Fast1", 2 }, { "NoWait1", 0 } };
    for (const auto& [name, tag] : tags) {
        EXPECT_EQ(Item(name)->data().toInt(), tag) << name;
    }
    EXPECT_TRUE(Item("Midium1")->isChecked());
    EXPECT_TRUE(Item("Midium2")->isChecked());
    EXPECT_TRUE(Item("ShowEval1")->isChecked());
    EXPECT_EQ(Item("Exit1")->text(), QStringLiteral("E&xit"));
}

TEST_F(TWindowTest, SidePanelStartsWithTheCountsAndTheDefaultPlayers)
{
    ShowForm();
    const TSidePanel& panel = *form->Panel();
    EXPECT_EQ(panel.Label1->text(), QStringLiteral("Black: 2"));
    EXPECT_EQ(panel.Label2->text(), QStringLiteral("White: 2"));
    EXPECT_EQ(panel.PosLabel->text(), QStringLiteral("g7"));
    EXPECT_EQ(panel.Combo1->currentText(), QStringLiteral("Human"));
    EXPECT_EQ(panel.Combo2->currentText(), QStringLiteral("Cow"));
    EXPECT_EQ(panel.Combo1->count(), 10);
    EXPECT_EQ(panel.Combo1->itemText(9), QStringLiteral("Custom"));
    EXPECT_FALSE(panel.Combo1->isEditable());
    EXPECT_EQ(panel.Combo2->geometry(), QRect(4, 77, 81, 23));
    EXPECT_EQ(panel.PosLabel->geometry(), QRect(7, 120, 37, 19));
    EXPECT_EQ(panel.BackBtn->geometry(), QRect(56, 117, 25, 25));
    EXPECT_EQ(panel.BackBtn->toolTip(), QStringLiteral("Back/Stop"));
    EXPECT_EQ(panel.Label1->font().pixelSize(), 13);
    EXPECT_EQ(panel.Label1->palette().color(QPalette::Window), panel.palette().color(QPalette::Highlight));
    EXPECT_EQ(panel.Label2->palette().color(QPalette::Window), panel.palette().color(QPalette::Button));
    EXPECT_EQ(panel.Label2->palette().color(QPalette::WindowText), BlackColour);
    // The raised outer bevel runs along the panel's whole 90 by 241 pixels, the lowered inner one inside it.
    const QImage bevel = form->Panel()->grab().toImage();
    ASSERT_EQ(bevel.size(), QSize(90, 241));
    const QRgb light = panel.palette().color(QPalette::Light).rgb();
    const QRgb dark = panel.palette().color(QPalette::Dark).rgb();
    EXPECT_EQ(bevel.pixel(0, 0), light);
    EXPECT_EQ(bevel.pixel(89, 120), dark);
    EXPECT_EQ(bevel.pixel(45, 240), dark);
    EXPECT_EQ(bevel.pixel(1, 1), dark);
    EXPECT_EQ(bevel.pixel(88, 120), light);
    EXPECT_EQ(bevel.pixel(45, 239), light);
}

TEST_F(TWindowTest, PointerNamesTheSquareUnderItUpToTheLastColumn)
{
    ShowForm();
    QLabel* pos = form->Panel()->PosLabel;
    QTest::mouseMove(form->BoardView(), QPoint(8 * 30 - 1, 5));
    EXPECT_EQ(pos->text(), QStringLiteral("h1"));
    QTest::mouseMove(form->BoardView(), QPoint(8 * 30, 5));
    EXPECT_EQ(pos->text(), QString());
    QTest::mouseMove(form->BoardView(), QPoint(30, 8 * 30 - 1));
    EXPECT_EQ(pos->text(), QStringLiteral("b8"));
}

TEST_F(TWindowTest, KeyboardPlayMovesAFramedCursorShownOnlyOnceAKeyIsUsed)
{
    form->SetPlayerLevel(White, HumanLevel);
    Item("NoWait1")->trigger();
    ShowForm();
    TBoardView* view = form->BoardView();
    EXPECT_TRUE(view->hasFocus());
    const QImage untouched = BoardPicture();
    // The frame's top-left corner inside d3.
    const QPoint d3Frame(3 * 30 + 2, 2 * 30 + 2);
    EXPECT_EQ(Pixel(untouched, d3Frame.x(), d3Frame.y()), Colours::Green);
    // Enter before any arrow plays nothing.
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(Game.HistoryTop, 0);
    EXPECT_EQ(BoardPicture(), untouched);

    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(form->Panel()->PosLabel->text(), QStringLiteral("d4"));
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(form->Panel()->PosLabel->text(), QStringLiteral("d3"));
    EXPECT_NE(Pixel(BoardPicture(), d3Frame.x(), d3Frame.y()), Colours::Green);
    // Shift held shows the legal moves as the right button does.
    QTest::keyPress(view, Qt::Key_Shift);
    EXPECT_EQ(Cell(Game.ViewBoard, 4, 3), LegalMark);
    QTest::keyRelease(view, Qt::Key_Shift);
    EXPECT_EQ(Cell(Game.ViewBoard, 4, 3), EmptyCell);
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(Game.HistoryTop, 1);
    EXPECT_EQ(form->Panel()->Bloc->text(), QStringLiteral("d3"));
    // An occupied square plays nothing, and the cursor stops at the edge.
    QTest::keyClick(view, Qt::Key_Enter);
    EXPECT_EQ(Game.HistoryTop, 1);
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(view, Qt::Key_Up);
    }
    EXPECT_EQ(form->Panel()->PosLabel->text(), QStringLiteral("d1"));
    QTest::keyClick(view, Qt::Key_Escape);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(Game.HistoryTop, 1);
    const QImage hidden = BoardPicture();
    EXPECT_EQ(Pixel(hidden, 3 * 30 + 2, 2), Colours::Green);
}

TEST_F(TWindowTest, RightButtonShowsTheLegalMovesWhileHeld)
{
    ShowForm();
    TBoardView* view = form->BoardView();
    const auto dotCentre = [](int x, int y) { return QPoint((x - 1) * 30 + 16, (y - 1) * 30 + 16); };
    QTest::mousePress(view, Qt::RightButton, {}, Centre(1, 1));
    QApplication::processEvents();
    QImage shown = BoardPicture();
    for (const auto& [x, y] :
        { std::pair { 4, 3 }, std::pair { 3, 4 }, std::pair { 6, 5 }, std::pair { 5, 6 } }) {
        EXPECT_EQ(Cell(Game.ViewBoard, x, y), LegalMark) << x << y;
        EXPECT_EQ(Pixel(shown, dotCentre(x, y).x(), dotCentre(x, y).y()), BlackColour) << x << y;
        EXPECT_EQ(Pixel(shown, dotCentre(x, y).x() - 2, dotCentre(x, y).y()), Colours::Lime) << x << y;
    }
    EXPECT_EQ(Pixel(shown, dotCentre(3, 3).x(), dotCentre(3, 3).y()), Colours::Green);
    QTest::mouseRelease(view, Qt::RightButton, {}, Centre(1, 1));
    QApplication::processEvents();
    shown = BoardPicture();
    EXPECT_EQ(Cell(Game.ViewBoard, 4, 3), EmptyCell);
    EXPECT_EQ(Pixel(shown, dotCentre(4, 3).x(), dotCentre(4, 3).y()), Colours::Green);
    EXPECT_EQ(Pixel(shown, dotCentre(4, 3).x() - 2, dotCentre(4, 3).y()), Colours::Green);
}

TEST_F(TWindowTest, LeftReleaseOnALegalSquarePlaysAndNothingElseDoes)
{
    form->SetPlayerLevel(White, HumanLevel);
    Item("NoWait1")->trigger();
    ShowForm();
    TBoardView* view = form->BoardView();
    QTest::mouseClick(view, Qt::LeftButton, {}, Centre(4, 4)); // occupied
    QTest::mouseClick(view, Qt::LeftButton, {}, Centre(1, 1)); // turns nothing
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(8 * 30, Centre(4, 3).y())); // off the squares
    EXPECT_EQ(Game.HistoryTop, 0);
    QTest::mouseClick(view, Qt::LeftButton, {}, Centre(4, 3)); // d3
    EXPECT_EQ(Game.HistoryTop, 1);
    EXPECT_EQ(Cell(Game.GameBoard, 4, 3), Black);
    EXPECT_EQ(Cell(Game.GameBoard, 4, 4), Black);
    EXPECT_EQ(form->Panel()->Bloc->text(), QStringLiteral("d3"));
    EXPECT_EQ(form->Panel()->Label1->text(), QStringLiteral("Black: 4"));
    // The window system may repaint at any time: the board keeps every disc.
    form->BoardView()->repaint();
    const QImage shown = BoardPicture();
    EXPECT_EQ(Pixel(shown, Centre(4, 4).x(), Centre(4, 4).y()), BlackColour);
    EXPECT_EQ(Pixel(shown, Centre(4, 3).x(), Centre(4, 3).y()), BlackColour);
    EXPECT_EQ(form->Panel()->Label2->palette().color(QPalette::Window),
        form->Panel()->palette().color(QPalette::Highlight));
}

TEST_F(TWindowTest, InputSwitchesOffMenusShortcutsAndSelectorsButNotBackStop)
{
    form->SetPlayerLevel(White, HumanLevel);
    Item("NoWait1")->trigger();
    ShowForm();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    PlayMove(4, 3);
    ASSERT_EQ(Game.HistoryTop, 1);
    DisableInput();
    EXPECT_FALSE(Game.InputEnabled);
    for (const char* name : { "New1", "Open1", "Analyse1", "Customize1", "ShowEval1", "Index1", "About1" }) {
        EXPECT_FALSE(Item(name)->isEnabled()) << name;
    }
    for (QAction* menu : form->menuBar()->actions()) {
        EXPECT_FALSE(menu->isEnabled()) << menu->text().toStdString();
    }
    EXPECT_FALSE(form->Panel()->Combo1->isEnabled());
    EXPECT_FALSE(form->Panel()->Combo2->isEnabled());
    EXPECT_TRUE(form->Panel()->BackBtn->isEnabled());
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Game.HistoryTop, 1);
    QTest::keyClick(form.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(Item("ShowEval1")->isChecked());
    EnableInput();
    EXPECT_TRUE(form->Panel()->Combo1->isEnabled());
    QTest::keyClick(form.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_FALSE(Item("ShowEval1")->isChecked());
    EXPECT_FALSE(form->Panel()->BPts->isVisible());
    EXPECT_FALSE(form->Panel()->WPts->isVisible());
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Game.HistoryTop, 0);
}

TEST_F(TWindowTest, DesktopKeysTakeBackOpenTheHelpAndExitBesideTheMenuKeys)
{
    form->SetPlayerLevel(White, HumanLevel);
    Item("NoWait1")->trigger();
    ShowForm();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    PlayMove(4, 3);
    PlayMove(3, 3);
    ASSERT_EQ(Game.HistoryTop, 2);
    // While the game is busy the key neither takes back nor stops.
    DisableInput();
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Game.HistoryTop, 2);
    EXPECT_FALSE(Game.StopRequested);
    EnableInput();
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Game.HistoryTop, 0);
    EXPECT_EQ(form->Panel()->Bloc->text(), QString());
    EXPECT_EQ(Item("TakeBack1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    form->SetHelpFile(QStringLiteral(KALVORO_HELP_SOURCE));
    QTest::keyClick(form.get(), Qt::Key_F1);
    auto* help = form->findChild<QWidget*>(QStringLiteral("HelpWindow"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    help->close();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(TWindowTest, SpeedItemsSetThePauseAndNoWaitIsItsCheck)
{
    EXPECT_EQ(form->PauseTicks(), 5);
    EXPECT_FALSE(form->NoWait());
    Item("NoWait1")->trigger();
    EXPECT_TRUE(form->NoWait());
    EXPECT_EQ(form->PauseTicks(), 0);
    Item("Slow1")->trigger();
    EXPECT_FALSE(form->NoWait());
    EXPECT_EQ(form->PauseTicks(), 10);
    EXPECT_FALSE(Item("Midium2")->isChecked());
    form->SetPauseTicks(7); // no item carries it: ignored
    EXPECT_EQ(form->PauseTicks(), 10);
    EXPECT_TRUE(Item("Slow1")->isChecked());
    form->SetCellSize(31);
    EXPECT_EQ(form->CellSize(), 30);
    EXPECT_TRUE(Item("Midium1")->isChecked());
    form->SetCellSize(52);
    EXPECT_TRUE(Item("Huge1")->isChecked());
    EXPECT_FALSE(Item("Midium1")->isChecked());
}

TEST_F(TWindowTest, EachDiscTurnsAfterItsPause)
{
    form->SetPlayerLevel(White, HumanLevel);
    Item("Fast1")->trigger();
    ShowForm();
    QElapsedTimer clock;
    clock.start();
    PlayMove(4, 3); // one disc placed and one turned: two pauses of two ticks
    const qint64 elapsed = clock.elapsed();
    EXPECT_GE(elapsed, 2 * 2 * 50 - 20);
    EXPECT_LT(elapsed, 2000);
    EXPECT_FALSE(Game.Busy);
}

// Presses on BPts with exact sets of held keys and buttons.
void PressOn(QWidget* widget, Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys)
{
    QMouseEvent press(
        QEvent::MouseButtonPress, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), button, buttons, keys);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), button,
        buttons & ~button, keys);
    QApplication::sendEvent(widget, &release);
}

TEST_F(TWindowTest, DebugModeNeedsExactlyAltCtrlAndTheLeftButton)
{
    ShowForm();
    QLabel* bpts = form->Panel()->BPts;
    const Qt::KeyboardModifiers altCtrl = Qt::AltModifier | Qt::ControlModifier;
    PressOn(bpts, Qt::RightButton, Qt::RightButton, altCtrl);
    PressOn(bpts, Qt::LeftButton, Qt::LeftButton, altCtrl | Qt::ShiftModifier);
    PressOn(bpts, Qt::LeftButton, Qt::LeftButton | Qt::RightButton, altCtrl);
    PressOn(bpts, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    PressOn(bpts, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    EXPECT_FALSE(Game.DebugMode);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kalvoro"));
    PressOn(bpts, Qt::LeftButton, Qt::LeftButton, altCtrl);
    EXPECT_TRUE(Game.DebugMode);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("CAUTION! Debug Mode"));
    form->New1Click();
    EXPECT_TRUE(Game.DebugMode);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("CAUTION! Debug Mode"));
}

TEST_F(TWindowTest, DebugModeEditsTheBoardByExactPresses)
{
    form->SetPlayerLevel(White, HumanLevel);
    ShowForm();
    Game.DebugMode = true;
    TBoardView* view = form->BoardView();
    // Two buttons at once, with or without Shift, are no edit.
    PressOn(view, Qt::LeftButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    PressOn(view, Qt::LeftButton, Qt::LeftButton | Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(Cell(Game.GameBoard, 1, 1), EmptyCell);
    EXPECT_EQ(Game.SideToMove, Black);
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, Centre(4, 4)); // empties d4
    EXPECT_EQ(Cell(Game.GameBoard, 4, 4), EmptyCell);
    EXPECT_EQ(Cell(Game.ViewBoard, 4, 4), EmptyCell);
    QTest::mouseClick(view, Qt::LeftButton, {}, Centre(1, 1));
    EXPECT_EQ(Cell(Game.GameBoard, 1, 1), Black);
    QTest::mouseClick(view, Qt::RightButton, {}, Centre(2, 1));
    EXPECT_EQ(Cell(Game.GameBoard, 2, 1), White);
    QTest::mouseClick(view, Qt::RightButton, Qt::ControlModifier, Centre(3, 1));
    EXPECT_EQ(Cell(Game.GameBoard, 3, 1), EmptyCell);
    QTest::mouseClick(view, Qt::RightButton, Qt::ShiftModifier, Centre(8, 8));
    EXPECT_EQ(Game.SideToMove, White);
    EXPECT_EQ(Game.HistoryTop, 0);
    EXPECT_EQ(form->Panel()->Label2->palette().color(QPalette::Window),
        form->Panel()->palette().color(QPalette::Highlight));
    QApplication::processEvents();
    const QImage shown = BoardPicture();
    EXPECT_EQ(Pixel(shown, Centre(1, 1).x(), Centre(1, 1).y()), BlackColour);
    EXPECT_EQ(Pixel(shown, Centre(4, 4).x(), Centre(4, 4).y()), Colours::Green);
    // No edits while the game flow works.
    DisableInput();
    QTest::mouseClick(view, Qt::LeftButton, {}, Centre(8, 1));
    EXPECT_EQ(Cell(Game.GameBoard, 8, 1), EmptyCell);
    EnableInput();
    // A left release on a legal square plays nothing in debug mode.
    const int before = Game.HistoryTop;
    QTest::mouseRelease(view, Qt::LeftButton, {}, Centre(5, 3));
    EXPECT_EQ(Game.HistoryTop, before);
}

TEST_F(TWindowTest, DebugValuesAreDrawnOnTheBoard)
{
    ShowForm();
    form->DrawDebugValue(1, 1, 12);
    QApplication::processEvents();
    const QImage shown = BoardPicture();
    int white = 0;
    for (int y = 2; y < 20; ++y) {
        for (int x = 2; x < 20; ++x) {
            white += Pixel(shown, x, y) == QColor(255, 255, 255) ? 1 : 0;
        }
    }
    EXPECT_GT(white, 5);
}

} // namespace
