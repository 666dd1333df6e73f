// The board area of the main window: shows the board image and passes the mouse on. It draws nothing itself,
// so a repaint by the window system always shows every disc the image holds.
#pragma once

#include "BoardImage.h"

#include <QRegion>
#include <QWidget>

namespace kalvoro::ui {

using namespace kalvoro::engine;

class TBoardView : public QWidget {
    Q_OBJECT
public:
    explicit TBoardView(int cellSize, QWidget* parent = nullptr);

    TBoardImage& Board() { return board; }
    const TBoardImage& Board() const { return board; }
    // A new cell size: the widget takes the image's size, 8c + 1 pixels square.
    void Resize(int cellSize);
    // Marks a changed part of the image for the next paint.
    void Invalidate(const QRect& area);
    // Paints the changed parts at once.
    void RepaintPending();
    // The keyboard's square cursor, a thin frame drawn over the picture inside square (x, y); x = 0 hides it.
    void SetCursorSquare(TSquare square);
    TSquare CursorSquare() const { return cursor; }

signals:
    void MousePressed(
        Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, QPoint at);
    void MouseReleased(
        Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, QPoint at);
    void MouseMoved(QPoint at);
    // The keys of keyboard play: the arrows, Enter, Space, Escape and Shift; other keys go on to the window.
    void KeyPressed(int key);
    void KeyReleased(int key);
    // After each paint, for the one start of the computer after the first one.
    void Painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    TBoardImage board;
    QRegion pending;
    TSquare cursor {};
};

} // namespace kalvoro::ui
