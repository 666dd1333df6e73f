// Whole turns through the real window: the computer's start after the first paint, a person against a
// computer player, Stop and Back, the player selectors, the dialogs, help, and closing during a turn.
#include "UiTestSupport.h"

#include "ui/HelpViewer.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <algorithm>
#include <functional>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::analysis;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

namespace {

// A computer player that thinks until it is stopped, processing messages as the real one does.
TSquare ThinkUntilStopped(int)
{
    QElapsedTimer clock;
    clock.start();
    while (!Game.StopRequested && clock.elapsed() < 5000) {
        GameWindow().ProcessMessages();
    }
    return {};
}

void SelectPlayer(QComboBox* selector, int level)
{
    selector->setCurrentIndex(level);
    emit selector->activated(level);
}

TEST_F(TWindowTest, FirstPaintStartsABlackComputerOnceEvenWhenRepaintedWhileItThinks)
{
    int calls = 0;
    SetThinkFunction([this, &calls](int level) {
        ++calls;
        form->BoardView()->repaint();
        form->repaint();
        QApplication::processEvents();
        return FirstLegalSquare(level);
    });
    form->SetPlayerLevel(Black, 3);
    form->SetPlayerLevel(White, HumanLevel);
    Item("NoWait1")->trigger();
    EXPECT_EQ(calls, 0);
    ShowForm();
    ASSERT_TRUE(QTest::qWaitFor([] { return Game.HistoryTop == 1; }, 2000));
    form->BoardView()->repaint();
    QTest::qWait(50);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Game.SideToMove, White);
    EXPECT_TRUE(Game.InputEnabled);
}

TEST_F(TWindowTest, PersonPlaysAWholeGameAgainstTheComputerWithClicks)
{
    TModalCloser closer;
    SetThinkFunction(FirstLegalSquare);
    Item("NoWait1")->trigger();
    ShowForm();
    int clicks = 0;
    while (clicks < 64) {
        ASSERT_TRUE(WaitUntilIdle());
        if (Game.EmptyCount == 0 || Game.LegalMoveCount == 0) {
            break;
        }
        ASSERT_EQ(Game.SideToMove, Black);
        TSquare square;
        for (std::int16_t i = 0; i < 64 && square.x == 0; ++i) {
            const auto x = static_cast<std::int16_t>(8 - i % 8);
            const auto y = static_cast<std::int16_t>(8 - i / 8);
            if (IsLegalMove(x, y, Black)) {
                square = { x, y };
            }
        }
        ASSERT_NE(square.x, 0);
        QTest::mouseClick(form->BoardView(), Qt::LeftButton, {}, Centre(square.x, square.y));
        ++clicks;
    }
    EXPECT_TRUE(QTest::qWaitFor(
        [&closer] { return !closer.seen.empty() && closer.seen.back().lines[0].startsWith("Black : "); }));
    ASSERT_FALSE(closer.seen.empty());
    const TSeenDialog& result = closer.seen.back();
    const int black = CountDiscs(Game.GameBoard, Black);
    const int white = CountDiscs(Game.GameBoard, White);
    EXPECT_EQ(result.caption, QStringLiteral("Result"));
    EXPECT_EQ(result.lines[0], QStringLiteral("Black : %1").arg(black));
    EXPECT_EQ(result.lines[1], QStringLiteral("White : %1").arg(white));
    EXPECT_TRUE(result.lines[2].endsWith('.'));
    for (const TSeenDialog& dialog : closer.seen) {
        if (dialog.lines[0].isEmpty()) {
            EXPECT_TRUE(dialog.lines[1].endsWith(QStringLiteral(" are to pass.")))
                << dialog.lines[1].toStdString();
        }
    }
    // Further clicks after the end do nothing.
    const int top = Game.HistoryTop;
    QTest::mouseClick(form->BoardView(), Qt::LeftButton, {}, Centre(1, 1));
    EXPECT_EQ(Game.HistoryTop, top);
}

TEST_F(TWindowTest, ChoosingAComputerForTheSideToMoveStartsItAtOnce)
{
    SetThinkFunction(FirstLegalSquare);
    form->SetPlayerLevel(White, HumanLevel);
    Item("NoWait1")->trigger();
    ShowForm();
    QTest::mouseClick(form->BoardView(), Qt::LeftButton, {}, Centre(4, 3));
    ASSERT_EQ(Game.SideToMove, White);
    form->SetEvalLabel(Black, "12");
    SelectPlayer(form->Panel()->Combo1, 3); // Black is not to move: only its score goes
    EXPECT_EQ(form->Panel()->BPts->text(), QString());
    EXPECT_EQ(Game.HistoryTop, 1);
    form->SetPlayerLevel(White, 3); // set by the program: no handler runs
    QApplication::processEvents();
    EXPECT_EQ(Game.HistoryTop, 1);
    form->SetPlayerLevel(Black, HumanLevel);
    SelectPlayer(form->Panel()->Combo2, 3);
    EXPECT_EQ(Game.HistoryTop, 2);
    EXPECT_EQ(Game.SideToMove, Black);
}

TEST_F(TWindowTest, StopWhileTheComputerThinksHandsItsSideToAPerson)
{
    SetThinkFunction(ThinkUntilStopped);
    Item("NoWait1")->trigger();
    ShowForm();
    bool menusOffWhileThinking = false;
    bool noDotsWhileThinking = false;
    QTimer::singleShot(100, [this, &menusOffWhileThinking, &noDotsWhileThinking] {
        menusOffWhileThinking = !Item("New1")->isEnabled() && !form->Panel()->Combo1->isEnabled()
            && QApplication::overrideCursor() != nullptr && Game.Busy;
        QTest::mousePress(form->BoardView(), Qt::RightButton, {}, Centre(1, 1));
        noDotsWhileThinking = std::count(Game.ViewBoard.begin(), Game.ViewBoard.end(), LegalMark) == 0;
        QTest::mouseRelease(form->BoardView(), Qt::RightButton, {}, Centre(1, 1));
        QTest::mouseClick(form->Panel()->BackBtn, Qt::LeftButton);
    });
    QTest::mouseClick(form->BoardView(), Qt::LeftButton, {}, Centre(4, 3));
    EXPECT_TRUE(menusOffWhileThinking);
    EXPECT_TRUE(noDotsWhileThinking);
    EXPECT_EQ(Game.HistoryTop, 1);
    EXPECT_EQ(form->Panel()->Combo2->currentText(), QStringLiteral("Human"));
    EXPECT_TRUE(Game.InputEnabled);
    EXPECT_TRUE(Item("New1")->isEnabled());
    EXPECT_EQ(form->StatusBar()->text(), QString());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(TWindowTest, BackTakesBackOneMoveOfEachSide)
{
    SetThinkFunction(FirstLegalSquare);
    Item("NoWait1")->trigger();
    ShowForm();
    QTest::mouseClick(form->BoardView(), Qt::LeftButton, {}, Centre(4, 3));
    ASSERT_EQ(Game.HistoryTop, 2);
    form->SetEvalLabel(White, "4");
    QTest::mouseClick(form->Panel()->BackBtn, Qt::LeftButton);
    EXPECT_EQ(Game.HistoryTop, 0);
    EXPECT_EQ(Game.GameBoard, InitialBoard());
    EXPECT_EQ(form->Panel()->WPts->text(), QString());
    EXPECT_EQ(form->Panel()->Bloc->text(), QString());
    EXPECT_EQ(form->Panel()->Label1->text(), QStringLiteral("Black: 2"));
    const QImage shown = BoardPicture();
    EXPECT_EQ(Pixel(shown, Centre(4, 3).x(), Centre(4, 3).y()), Colours::Green);
}

TEST_F(TWindowTest, ClosingDuringTheComputersTurnStopsItAndThenCloses)
{
    SetThinkFunction(ThinkUntilStopped);
    ShowForm();
    QTimer::singleShot(100, [this] { form->close(); });
    QTest::mouseClick(form->BoardView(), Qt::LeftButton, {}, Centre(4, 3));
    EXPECT_TRUE(form->isVisible()); // the close waits for the turn to end
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->isVisible(); }, 2000));
    EXPECT_EQ(form->Panel()->Combo2->currentText(), QStringLiteral("Cow"));
    EXPECT_EQ(Game.HistoryTop, 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(TWindowTest, ClosingWhileAMoveIsShownFinishesItWithoutPausesAndTheComputerDoesNotAnswer)
{
    // The computer is to answer the person's move; the close must not let it start a search of its own.
    SetThinkFunction(ThinkUntilStopped);
    Item("Slow1")->trigger();
    ShowForm();
    QTimer::singleShot(100, [this] { form->close(); });
    QTest::mouseClick(form->BoardView(), Qt::LeftButton, {}, Centre(4, 3));
    EXPECT_EQ(Cell(Game.GameBoard, 4, 4), Black);
    EXPECT_EQ(Game.HistoryTop, 1);
    EXPECT_LT(Game.TimerTicks, 10); // the pause under way when the close came was cut short
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->isVisible(); }, 2000));
    EXPECT_EQ(form->Panel()->Combo2->currentText(), QStringLiteral("Cow"));
}

TEST_F(TWindowTest, ResultDialogHasItsFixedLook)
{
    TForm4 dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Result"));
    EXPECT_EQ(dialog.size(), QSize(174, 123));
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(0, 128, 0));
    EXPECT_EQ(dialog.palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(dialog.Label1->geometry(), QRect(4, 4, 165, 25));
    EXPECT_EQ(dialog.Label3->geometry(), QRect(4, 60, 165, 21));
    EXPECT_EQ(dialog.Button1->geometry(), QRect(50, 92, 75, 25));
    EXPECT_EQ(dialog.Button1->text(), QStringLiteral("Ok"));
    EXPECT_TRUE(dialog.Button1->isDefault());
    const QFont font = dialog.Label1->font();
    EXPECT_EQ(font.pixelSize(), 16);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
}

TEST_F(TWindowTest, AboutBoxNamesTheProgramWithASmallLastLine)
{
    ShowForm();
    QString caption;
    QStringList lines;
    QFont lastLine;
    QTimer::singleShot(50, [&] {
        auto* dialog = qobject_cast<TForm4*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            caption = dialog->windowTitle();
            lines = { dialog->Label1->text(), dialog->Label2->text(), dialog->Label3->text() };
            lastLine = dialog->Label3->font();
            QTest::keyClick(dialog, Qt::Key_Return);
        }
    });
    Item("About1")->trigger();
    EXPECT_EQ(caption, QStringLiteral("About Kalvoro"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Kalvoro v1.0a"));
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_FALSE(lines[2].isEmpty());
    EXPECT_EQ(lastLine.pointSize(), 9);
    EXPECT_FALSE(lastLine.bold());
    EXPECT_FALSE(lastLine.italic());
}

TEST_F(TWindowTest, HelpOpensAtItsContentsOrNamesTheMissingFile)
{
    ShowForm();
    EXPECT_TRUE(form->HelpFile().endsWith(QStringLiteral("/Kalvoro.hlp")));
    {
        TModalCloser closer;
        form->SetHelpFile(QStringLiteral("/nowhere/Kalvoro.hlp"));
        Item("Index1")->trigger();
        ASSERT_EQ(closer.seen.size(), 1U);
        EXPECT_TRUE(closer.seen[0].lines[0].contains(QStringLiteral("/nowhere/Kalvoro.hlp")));
    }
    form->SetHelpFile(QStringLiteral(KALVORO_HELP_SOURCE));
    Item("Index1")->trigger();
    auto* viewer = form->findChild<QTextBrowser*>(QStringLiteral("HelpViewer"));
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_FALSE(viewer->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(viewer->source().fragment(), QStringLiteral("HID00000003"));
    EXPECT_TRUE(viewer->toPlainText().contains(QStringLiteral("Kalvoro")));
    // A Close button, and Escape, close the help window.
    QWidget* window = viewer->window();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(window->findChild<QDialogButtonBox*>(), nullptr);
    const QPointer<QWidget> watched(window);
    QTest::keyClick(viewer, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&watched] { return watched.isNull(); }));
}

TEST(HelpFileFor, PrefersTheFileBesideTheProgramThenTheInstalledDocument)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("share/kalvoro/help")));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    EXPECT_EQ(HelpFileFor(bin), bin + QStringLiteral("/Kalvoro.hlp"));
    const QString installed = dir.filePath(QStringLiteral("share/kalvoro/help/Kalvoro.html"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KALVORO_HELP_SOURCE), installed));
    EXPECT_EQ(HelpFileFor(bin), installed);
    ASSERT_TRUE(QFile::copy(QStringLiteral(KALVORO_HELP_SOURCE), bin + QStringLiteral("/Kalvoro.hlp")));
    EXPECT_EQ(HelpFileFor(bin), bin + QStringLiteral("/Kalvoro.hlp"));
}

} // namespace
