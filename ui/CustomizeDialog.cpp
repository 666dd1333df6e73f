#include "CustomizeDialog.h"

#include "widgets/Fonts.h"

#include <QKeyEvent>
#include <QPainter>

namespace kalvoro::ui {

using namespace kalvoro::engine;
using namespace kalvoro::widgets;

bool ApplyingPreset = false;

namespace {

constexpr int FontPixels = 13;
constexpr int TrackStep = 2;

QLabel* MakeCaption(QWidget* parent, QRect geometry)
{
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setFont(ArialPixels(FontPixels, true, true));
    return label;
}

// A scroll bar that frames itself while it has the keyboard focus and the keyboard is in use (reached with
// Tab or moved with a key), so that a mouse user sees the bar alone.
class TFocusScrollBar : public QScrollBar {
public:
    explicit TFocusScrollBar(QWidget* parent)
        : QScrollBar(Qt::Horizontal, parent)
    {
    }

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        keyboardFocus = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
        QScrollBar::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        keyboardFocus = false;
        QScrollBar::focusOutEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        keyboardFocus = true;
        QScrollBar::keyPressEvent(event);
        update();
    }
    void paintEvent(QPaintEvent* event) override
    {
        QScrollBar::paintEvent(event);
        if (keyboardFocus && hasFocus()) {
            QPainter painter(this);
            painter.setPen(palette().color(QPalette::Highlight));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    bool keyboardFocus = false;
};

QScrollBar* MakeBar(QWidget* parent, QRect geometry, TDepthRange range, int initial)
{
    auto* bar = new TFocusScrollBar(parent);
    bar->setGeometry(geometry);
    bar->setRange(range.minimum, range.maximum);
    bar->setSingleStep(1);
    bar->setPageStep(TrackStep);
    bar->setValue(initial);
    // Reachable by the keyboard, in the dialog's tab order; the right arrow and Page Up raise the value (a
    // scroll bar reverses its keys by default, which suits a vertical bar only).
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setInvertedControls(false);
    return bar;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, QRect geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    return button;
}

QString Caption(const char* name, const QScrollBar* bar)
{
    return QString::fromLatin1(name) + QString::number(bar->value());
}

} // namespace

TForm3::TForm3(QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , Label1(MakeCaption(this, { 4, 4, 149, 17 }))
    , Bar1(MakeBar(this, { 5, 24, 140, 12 }, CompleteDepthRange, BuiltInLevels[CustomLevel].completeDepth))
    , Label2(MakeCaption(this, { 5, 48, 129, 17 }))
    , Bar2(MakeBar(this, { 5, 68, 140, 12 }, FastDepthRange, BuiltInLevels[CustomLevel].fastDepth))
    , Label3(MakeCaption(this, { 5, 92, 112, 17 }))
    , Bar3(MakeBar(this, { 5, 112, 140, 12 }, NodeDepthRange, BuiltInLevels[CustomLevel].nodeDepth))
    , Button1(MakeButton(this, QStringLiteral("Ok"), { 160, 4, 69, 25 }))
    , Button2(MakeButton(this, QStringLiteral("Cancel"), { 160, 36, 69, 25 }))
    , Combo1(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Kalvoro Customize"));
    setFixedSize(236, 131);
    setFont(ArialPixels(FontPixels));
    Label1->setText(Caption("Complete Analysis : ", Bar1));
    Label2->setText(Caption("Fast Analysis : ", Bar2));
    Label3->setText(Caption("Node Depth : ", Bar3));
    Combo1->setGeometry(160, 100, 69, 24);
    Combo1->setEditable(false);
    // At its fixed width the style's wide margins would cut "Custom" short.
    Combo1->setStyleSheet(QStringLiteral("QComboBox { padding-left: 3px; padding-right: 0px; }"));
    Combo1->addItems({ QStringLiteral("Custom"), QStringLiteral("Grade3"), QStringLiteral("Grade2"),
        QStringLiteral("Grade1") });
    Button1->setDefault(true);
    setTabOrder(Bar1, Bar2);
    setTabOrder(Bar2, Bar3);
    setTabOrder(Bar3, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Combo1);
    connect(Bar1, &QScrollBar::valueChanged, this, &TForm3::Bar1Change);
    connect(Bar2, &QScrollBar::valueChanged, this, &TForm3::Bar2Change);
    connect(Bar3, &QScrollBar::valueChanged, this, &TForm3::Bar3Change);
    connect(Combo1, &QComboBox::activated, this, &TForm3::Combo1Change);
    // Both buttons accept: the values shown are stored either way.
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm3::SetDepths(const TLevelRow& depths)
{
    Bar1->setValue(depths.completeDepth);
    Bar2->setValue(depths.fastDepth);
    Bar3->setValue(depths.nodeDepth);
}

TLevelRow TForm3::Depths() const
{
    return { Bar1->value(), Bar2->value(), Bar3->value() };
}

void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm3::FormShow()
{
    Combo1->setCurrentIndex(0);
    ApplyingPreset = false;
}

void TForm3::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Button2->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm3::SelectCustomUnlessApplyingPreset()
{
    if (!ApplyingPreset) {
        Combo1->setCurrentIndex(0);
    }
}

void TForm3::Bar1Change()
{
    SelectCustomUnlessApplyingPreset();
    Label1->setText(Caption("Complete Analysis : ", Bar1));
    if (Bar1->value() > Bar2->value()) {
        Bar2->setValue(Bar1->value());
    }
}

void TForm3::Bar2Change()
{
    SelectCustomUnlessApplyingPreset();
    Label2->setText(Caption("Fast Analysis : ", Bar2));
    if (Bar2->value() < Bar1->value()) {
        Bar1->setValue(Bar2->value());
    }
}

void TForm3::Bar3Change()
{
    SelectCustomUnlessApplyingPreset();
    Label3->setText(Caption("Node Depth : ", Bar3));
}

void TForm3::Combo1Change()
{
    ApplyingPreset = true;
    const int entry = Combo1->currentIndex();
    if (entry >= 1 && entry <= static_cast<int>(PresetTable.size())) {
        SetDepths(PresetTable[static_cast<std::size_t>(entry - 1)]);
    }
    ApplyingPreset = false;
}

bool EditCustomDepths(QWidget* parent, TLevelRow& depths)
{
    TForm3 dialog(parent);
    dialog.SetDepths(depths);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    depths = dialog.Depths();
    return true;
}

} // namespace kalvoro::ui
