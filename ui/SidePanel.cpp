#include "SidePanel.h"

#include "engine/Levels.h"
#include "widgets/ButtonIcons.h"
#include "widgets/Colours.h"
#include "widgets/Fonts.h"

#include <QPainter>

namespace kalvoro::ui {

using namespace kalvoro::engine;
using namespace kalvoro::widgets;

namespace {

QLabel* MakeLabel(QWidget* parent, QRect geometry, int pixels, Qt::Alignment alignment, bool bold = false)
{
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setFont(ArialPixels(pixels, bold));
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QComboBox* MakeSelector(QWidget* parent, QRect geometry)
{
    auto* combo = new QComboBox(parent);
    combo->setGeometry(geometry);
    combo->setFont(ArialPixels(12));
    combo->setEditable(false);
    for (const char* name : LevelNames) {
        combo->addItem(QString::fromLatin1(name));
    }
    combo->setMaxVisibleItems(LevelCount);
    return combo;
}

void SetLabelColours(QLabel* label, const QColor& background, const QColor& text)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
}

} // namespace

TSidePanel::TSidePanel(QWidget* parent)
    : QFrame(parent)
    , Label1(MakeLabel(this, { 4, 3, 60, 16 }, 13, Qt::AlignHCenter))
    , Bloc(MakeLabel(this, { 64, 4, 21, 15 }, 11, Qt::AlignRight))
    , Combo1(MakeSelector(this, { 4, 20, 81, 23 }))
    , BPts(MakeLabel(this, { 40, 44, 42, 15 }, 11, Qt::AlignRight))
    , Label2(MakeLabel(this, { 4, 60, 60, 16 }, 13, Qt::AlignHCenter))
    , WLoc(MakeLabel(this, { 64, 61, 21, 15 }, 11, Qt::AlignRight))
    , Combo2(MakeSelector(this, { 4, 77, 81, 23 }))
    , WPts(MakeLabel(this, { 40, 101, 42, 15 }, 11, Qt::AlignRight))
    , PosLabel(MakeLabel(this, { 7, 120, 37, 19 }, 15, Qt::AlignHCenter, true))
    , BackBtn(new QToolButton(this))
{
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo2->setObjectName(QStringLiteral("Combo2"));
    BPts->setObjectName(QStringLiteral("BPts"));
    WPts->setObjectName(QStringLiteral("WPts"));
    PosLabel->setObjectName(QStringLiteral("PosLabel"));
    BackBtn->setObjectName(QStringLiteral("BackBtn"));
    Label1->setText(QStringLiteral("Black: 2"));
    Label2->setText(QStringLiteral("White: 2"));
    Label1->setAutoFillBackground(true);
    Label2->setAutoFillBackground(true);
    PosLabel->setAutoFillBackground(true);
    SetLabelColours(PosLabel, Colours::Blue, Qt::white);
    PosLabel->setText(QStringLiteral("g7"));
    BackBtn->setGeometry(56, 117, 25, 25);
    BackBtn->setIcon(BackArrowIcon());
    BackBtn->setIconSize(QSize(16, 16));
    BackBtn->setToolTip(QStringLiteral("Back/Stop"));
    BackBtn->setFocusPolicy(Qt::NoFocus);
}

void TSidePanel::HighlightCountLabel(int colour)
{
    const QPalette system = palette();
    SetLabelColours(CountLabel(colour), system.color(QPalette::Active, QPalette::Highlight),
        system.color(QPalette::Active, QPalette::HighlightedText));
    SetLabelColours(CountLabel(-colour), system.color(QPalette::Button), Qt::black);
}

void TSidePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect();
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    auto bevel = [&painter](const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    };
    bevel(outer, light, dark);
    bevel(inner, dark, light);
}

} // namespace kalvoro::ui
