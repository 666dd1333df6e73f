// The real computer player in the window: it answers a person's move, writes its score and clears the status
// bar, and plays a whole game against clicks.
#include "UiTestSupport.h"

#include "game/ComputerPlayer.h"

#include <QTimer>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::analysis;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

namespace {

class TComputerOpponentTest : public TWindowTest {
protected:
    void SetUp() override
    {
        TWindowTest::SetUp();
        InstallComputerPlayer();
        Item("NoWait1")->trigger();
        ShowForm();
    }
};

// The last legal square of Black in row order from h8, so that the game differs from the computer's own.
TSquare LastLegalSquare()
{
    for (int i = 63; i >= 0; --i) {
        const auto x = static_cast<std::int16_t>(i % 8 + 1);
        const auto y = static_cast<std::int16_t>(i / 8 + 1);
        if (IsLegalMove(x, y, Game.SideToMove)) {
            return { x, y };
        }
    }
    return {};
}

TEST_F(TComputerOpponentTest, CowAnswersAPersonsMove)
{
    QTest::mouseClick(form->BoardView(), Qt::LeftButton, {}, Centre(4, 3));
    EXPECT_EQ(Game.HistoryTop, 2);
    EXPECT_EQ(Game.SideToMove, Black);
    EXPECT_FALSE(form->Panel()->WLoc->text().isEmpty());
    EXPECT_FALSE(form->Panel()->WPts->text().isEmpty());
    EXPECT_EQ(form->StatusBar()->text(), QString());
    EXPECT_EQ(form->Panel()->Combo2->currentText(), QStringLiteral("Cow"));
    EXPECT_TRUE(Game.InputEnabled);
}

TEST_F(TComputerOpponentTest, APersonPlaysCowToTheEnd)
{
    TModalCloser closer;
    for (int clicks = 0; clicks < 64; ++clicks) {
        ASSERT_TRUE(WaitUntilIdle(20000));
        if (Game.EmptyCount == 0 || Game.LegalMoveCount == 0) {
            break;
        }
        ASSERT_EQ(Game.SideToMove, Black);
        const TSquare square = LastLegalSquare();
        QTest::mouseClick(form->BoardView(), Qt::LeftButton, {}, Centre(square.x, square.y));
    }
    ASSERT_TRUE(QTest::qWaitFor([&closer] {
        return !closer.seen.empty() && closer.seen.back().lines[0].startsWith(QStringLiteral("Black : "));
    }));
    const int black = CountDiscs(Game.GameBoard, Black);
    const int white = CountDiscs(Game.GameBoard, White);
    EXPECT_EQ(closer.seen.back().lines[1], QStringLiteral("White : %1").arg(white));
    EXPECT_EQ(closer.seen.back().lines[0], QStringLiteral("Black : %1").arg(black));
    EXPECT_EQ(Game.StopRequested, false);
}

TEST_F(TComputerOpponentTest, InDebugModeTheComputerShowsItsValuesAndPlaysNothing)
{
    Game.DebugMode = true;
    form->SetPlayerLevel(White, HumanLevel);
    form->Panel()->Combo1->setCurrentIndex(3);
    emit form->Panel()->Combo1->activated(3);
    EXPECT_EQ(Game.HistoryTop, 0);
    EXPECT_EQ(Game.GameBoard, InitialBoard());
    EXPECT_EQ(form->Panel()->Combo1->currentText(), QStringLiteral("Human"));
    QApplication::processEvents();
    const QImage shown = BoardPicture();
    // Each of the four root moves has its value in white at the top left of its square.
    for (const auto& [x, y] :
        { std::pair { 4, 3 }, std::pair { 3, 4 }, std::pair { 6, 5 }, std::pair { 5, 6 } }) {
        int white = 0;
        for (int py = (y - 1) * 30 + 2; py < (y - 1) * 30 + 16; ++py) {
            for (int px = (x - 1) * 30 + 2; px < x * 30; ++px) {
                white += Pixel(shown, px, py) == QColor(255, 255, 255) ? 1 : 0;
            }
        }
        EXPECT_GT(white, 4) << x << "," << y;
    }
}

} // namespace

TEST_F(TComputerOpponentTest, TheWindowRunsWhileTheComputerThinksAndStopEndsADeepSearchAtOnce)
{
    // Cow at node depth 12 searches its first move for minutes; meanwhile timers fire, and Stop ends it.
    Game.LevelTable[3] = { 3, 3, 12 };
    int ticks = 0;
    int ticksWhenStopped = -1;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(10);
    QTimer::singleShot(300, [this, &ticks, &ticksWhenStopped] {
        ticksWhenStopped = ticks;
        form->Panel()->BackBtn->click();
    });
    QTest::mouseClick(form->BoardView(), Qt::LeftButton, {}, Centre(4, 3));
    EXPECT_GT(ticksWhenStopped, 5);
    EXPECT_EQ(Game.HistoryTop, 1);
    EXPECT_EQ(Game.SideToMove, White);
    EXPECT_EQ(form->Panel()->Combo2->currentText(), QStringLiteral("Human"));
    EXPECT_TRUE(Game.InputEnabled);
    EXPECT_EQ(form->StatusBar()->text(), QString());
}
