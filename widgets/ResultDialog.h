// The small green dialog with three lines and an "Ok" button: the result of a game, a pass message, the About
// box and the best-move report. It is created for each use, shown modally and destroyed afterwards.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace kalvoro::widgets {

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Button1;
};

// Shows the dialog with `caption` and three lines until the user closes it.
void ShowForm4(QWidget* parent, const QString& caption, const QString& line1, const QString& line2,
    const QString& line3);

// The About box; its last line is in 9-point regular type.
void ShowAboutBox(QWidget* parent);

} // namespace kalvoro::widgets
