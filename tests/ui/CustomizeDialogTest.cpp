// The customize dialog: its fixed layout, the bars brought into their ranges in order, the coupling of the
// first two bars, the presets, and which ways of closing store the values in the Custom level.
#include "ui/CustomizeDialog.h"
#include "UiTestSupport.h"

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::analysis;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

namespace {

struct TDepthsCase {
    TLevelRow stored;
    TLevelRow shown;
};

class CustomizeDepths : public ::testing::TestWithParam<TDepthsCase> {
protected:
    void SetUp() override { TestApplication(); }
};

TLevelRow Shown(const TForm3& dialog)
{
    return dialog.Depths();
}

// The next widget that Tab moves to from `widget`.
QWidget* NextTabStop(QWidget* widget)
{
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && !(next->focusPolicy() & Qt::TabFocus)) {
        next = next->nextInFocusChain();
    }
    return next;
}

QStringList Captions(const TForm3& dialog)
{
    return { dialog.Label1->text(), dialog.Label2->text(), dialog.Label3->text() };
}

QStringList CaptionsOf(const TLevelRow& row)
{
    return { QStringLiteral("Complete Analysis : %1").arg(row.completeDepth),
        QStringLiteral("Fast Analysis : %1").arg(row.fastDepth),
        QStringLiteral("Node Depth : %1").arg(row.nodeDepth) };
}

TEST_P(CustomizeDepths, ShowsTheStoredRowLimitedBarByBar)
{
    TForm3 dialog;
    dialog.SetDepths(GetParam().stored);
    dialog.show();
    EXPECT_EQ(Shown(dialog), GetParam().shown);
    EXPECT_EQ(Captions(dialog), CaptionsOf(GetParam().shown));
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("Custom"));
}

INSTANTIATE_TEST_SUITE_P(StoredRows, CustomizeDepths,
    ::testing::Values(TDepthsCase { { 14, 16, 9 }, { 14, 16, 9 } },
        TDepthsCase { { 40, 26, 0 }, { 22, 26, 1 } }, TDepthsCase { { 40, 16, 5 }, { 16, 16, 5 } },
        TDepthsCase { { 20, 10, 5 }, { 10, 10, 5 } }, TDepthsCase { { -3, 99, 13 }, { 3, 26, 12 } }));

TEST(CustomizeDialog, HasItsFixedLayout)
{
    TestApplication();
    TForm3 dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kalvoro Customize"));
    EXPECT_EQ(dialog.size(), QSize(236, 131));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(dialog.font().pixelSize(), 13);
    EXPECT_EQ(Captions(dialog), CaptionsOf({ 14, 16, 5 }));
    for (const QLabel* label : { dialog.Label1, dialog.Label2, dialog.Label3 }) {
        EXPECT_TRUE(label->font().bold());
        EXPECT_TRUE(label->font().italic());
        EXPECT_EQ(label->font().pixelSize(), 13);
    }
    EXPECT_EQ(dialog.Label1->geometry(), QRect(4, 4, 149, 17));
    EXPECT_EQ(dialog.Label3->geometry(), QRect(5, 92, 112, 17));
    const std::tuple<QScrollBar*, QRect, int, int> bars[] = { { dialog.Bar1, { 5, 24, 140, 12 }, 3, 22 },
        { dialog.Bar2, { 5, 68, 140, 12 }, 3, 26 }, { dialog.Bar3, { 5, 112, 140, 12 }, 1, 12 } };
    for (const auto& [bar, geometry, minimum, maximum] : bars) {
        EXPECT_EQ(bar->orientation(), Qt::Horizontal);
        EXPECT_EQ(bar->geometry(), geometry);
        EXPECT_EQ(bar->minimum(), minimum);
        EXPECT_EQ(bar->maximum(), maximum);
        EXPECT_EQ(bar->singleStep(), 1);
        EXPECT_EQ(bar->pageStep(), 2);
    }
    EXPECT_EQ(dialog.Button1->text(), QStringLiteral("Ok"));
    EXPECT_EQ(dialog.Button1->geometry(), QRect(160, 4, 69, 25));
    EXPECT_TRUE(dialog.Button1->isDefault());
    EXPECT_EQ(dialog.Button2->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(dialog.Button2->geometry(), QRect(160, 36, 69, 25));
    EXPECT_EQ(dialog.Combo1->geometry(), QRect(160, 100, 69, 24));
    EXPECT_FALSE(dialog.Combo1->isEditable());
    QStringList entries;
    for (int i = 0; i < dialog.Combo1->count(); ++i) {
        entries << dialog.Combo1->itemText(i);
    }
    EXPECT_EQ(entries,
        QStringList({ QStringLiteral("Custom"), QStringLiteral("Grade3"), QStringLiteral("Grade2"),
            QStringLiteral("Grade1") }));
    // The keyboard order: the three bars, the two buttons, the preset list.
    const QList<QWidget*> order { dialog.Bar1, dialog.Bar2, dialog.Bar3, dialog.Button1, dialog.Button2,
        dialog.Combo1 };
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        EXPECT_EQ(NextTabStop(order[i]), order[i + 1]) << i;
    }
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

TEST(CustomizeDialog, PresetsSetTheirRowUntilABarIsMoved)
{
    TestApplication();
    TForm3 dialog;
    dialog.SetDepths({ 3, 3, 1 });
    dialog.show();
    dialog.Combo1->setFocus();
    const std::pair<Qt::Key, TLevelRow> presets[]
        = { { Qt::Key_End, { 14, 18, 6 } }, { Qt::Key_Up, { 14, 16, 5 } }, { Qt::Key_Up, { 12, 14, 4 } } };
    for (const auto& [key, row] : presets) {
        QTest::keyClick(dialog.Combo1, key);
        EXPECT_EQ(Shown(dialog), row);
        EXPECT_EQ(Captions(dialog), CaptionsOf(row));
        EXPECT_NE(dialog.Combo1->currentIndex(), 0);
        EXPECT_FALSE(ApplyingPreset);
    }
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("Grade3"));
    QTest::keyClick(dialog.Combo1, Qt::Key_Up); // "Custom" changes nothing
    EXPECT_EQ(Shown(dialog), (TLevelRow { 12, 14, 4 }));
    QTest::keyClick(dialog.Combo1, Qt::Key_End);
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("Grade1"));
    QTest::keyClick(dialog.Bar3, Qt::Key_Right);
    EXPECT_EQ(Shown(dialog), (TLevelRow { 14, 18, 7 }));
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("Custom"));
}

TEST(CustomizeDialog, TheFirstTwoBarsDragEachOther)
{
    TestApplication();
    TForm3 dialog;
    dialog.show();
    QTest::keyClick(dialog.Bar1, Qt::Key_End);
    EXPECT_EQ(Shown(dialog), (TLevelRow { 22, 22, 5 }));
    EXPECT_EQ(Captions(dialog), CaptionsOf({ 22, 22, 5 }));
    QTest::keyClick(dialog.Bar2, Qt::Key_Home);
    EXPECT_EQ(Shown(dialog), (TLevelRow { 3, 3, 5 }));
    EXPECT_EQ(Captions(dialog), CaptionsOf({ 3, 3, 5 }));
    QTest::keyClick(dialog.Bar2, Qt::Key_PageUp); // the track step is 2
    EXPECT_EQ(Shown(dialog), (TLevelRow { 3, 5, 5 }));
    QTest::keyClick(dialog.Bar3, Qt::Key_Left);
    EXPECT_EQ(Shown(dialog), (TLevelRow { 3, 5, 4 }));
    dialog.Bar1->setValue(4);
    EXPECT_EQ(Shown(dialog), (TLevelRow { 4, 5, 4 }));
}

// Customize1Click with the dialog handled by `act` as soon as it is open; returns what the dialog showed.
QStringList CustomizeWith(TForm1& form, const std::function<void(TForm3&)>& act)
{
    QStringList shown;
    QTimer::singleShot(20, [&] {
        auto* dialog = qobject_cast<TForm3*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        shown = Captions(*dialog);
        act(*dialog);
    });
    form.findChild<QAction*>(QStringLiteral("Customize1"))->trigger();
    return shown;
}

TEST_F(TWindowTest, CustomizeStoresOnBothButtonsAndDiscardsOnTheCloseBox)
{
    ShowForm();
    Game.LevelTable[CustomLevel] = { 40, 26, 0 };
    EXPECT_EQ(CustomizeWith(*form, [](TForm3& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }),
        CaptionsOf({ 22, 26, 1 }));
    EXPECT_EQ(Game.LevelTable[CustomLevel], (TLevelRow { 22, 26, 1 }));
    CustomizeWith(*form, [](TForm3& dialog) {
        QTest::keyClick(dialog.Bar3, Qt::Key_Right);
        dialog.Button2->click();
    });
    EXPECT_EQ(Game.LevelTable[CustomLevel], (TLevelRow { 22, 26, 2 }));
    CustomizeWith(*form, [](TForm3& dialog) {
        QTest::keyClick(dialog.Bar1, Qt::Key_Home);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(Game.LevelTable[CustomLevel], (TLevelRow { 3, 26, 2 }));
    CustomizeWith(*form, [](TForm3& dialog) {
        QTest::keyClick(dialog.Bar2, Qt::Key_Home);
        dialog.close();
    });
    EXPECT_EQ(Game.LevelTable[CustomLevel], (TLevelRow { 3, 26, 2 }));
    // The other levels are never touched.
    EXPECT_EQ(Game.LevelTable[8], BuiltInLevelTable()[8]);
}

} // namespace
