#include "ResultDialog.h"

#include "Colours.h"
#include "Fonts.h"

#include <QGuiApplication>
#include <QScreen>

namespace kalvoro::widgets {

namespace {

QLabel* MakeLine(QWidget* parent, QRect geometry)
{
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void CentreOnScreen(QWidget* dialog)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect frame = dialog->frameGeometry();
        dialog->move(screen->availableGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
}

} // namespace

TForm4::TForm4(QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowCloseButtonHint)
    , Label1(MakeLine(this, { 4, 4, 165, 25 }))
    , Label2(MakeLine(this, { 4, 32, 165, 25 }))
    , Label3(MakeLine(this, { 4, 60, 165, 21 }))
    , Button1(new QPushButton(QStringLiteral("Ok"), this))
{
    setWindowTitle(QStringLiteral("Result"));
    setFixedSize(174, 123);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Colours::Green);
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::ButtonText, Qt::white);
    // White text needs a dark face to be read; the button takes a darker shade of the dialog's green.
    colours.setColor(QPalette::Button, Colours::Green.darker(150));
    setPalette(colours);
    setAutoFillBackground(true);
    setFont(ArialPixels(16, true, true));
    Button1->setGeometry(50, 92, 75, 25);
    Button1->setFont(ArialPixels(15));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void ShowForm4(
    QWidget* parent, const QString& caption, const QString& line1, const QString& line2, const QString& line3)
{
    TForm4 dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.Label1->setText(line1);
    dialog.Label2->setText(line2);
    dialog.Label3->setText(line3);
    CentreOnScreen(&dialog);
    dialog.exec();
}

void ShowAboutBox(QWidget* parent)
{
    TForm4 dialog(parent);
    dialog.setWindowTitle(QStringLiteral("About Kalvoro"));
    dialog.Label1->setText(QStringLiteral("Kalvoro v1.0a"));
    dialog.Label2->setText(QStringLiteral("by the Kalvoro team"));
    dialog.Label3->setText(QStringLiteral("Thanks to all Reversi players"));
    dialog.Label3->setFont(SmallPrintFont());
    CentreOnScreen(&dialog);
    dialog.exec();
}

} // namespace kalvoro::widgets
