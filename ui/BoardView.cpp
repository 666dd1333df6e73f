#include "BoardView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kalvoro::ui {

using namespace kalvoro::engine;

namespace {

// The cursor's colour, which stands out on the green squares and on discs of either colour.
const QColor CursorColour(255, 255, 0);

bool IsPlayKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
    case Qt::Key_Shift:
        return true;
    default:
        return false;
    }
}

// The inside of square (x, y), between its grid lines.
QRect SquareInside(int cellSize, TSquare square)
{
    return { (square.x - 1) * cellSize + 2, (square.y - 1) * cellSize + 2, cellSize - 2, cellSize - 2 };
}

} // namespace

TBoardView::TBoardView(int cellSize, QWidget* parent)
    : QWidget(parent)
    , board(cellSize)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(board.Image().size());
}

void TBoardView::Resize(int cellSize)
{
    board.Resize(cellSize);
    setFixedSize(board.Image().size());
    pending = QRegion(rect());
    update();
}

void TBoardView::Invalidate(const QRect& area)
{
    if (area.isEmpty()) {
        return;
    }
    pending += area;
    update(area);
}

void TBoardView::RepaintPending()
{
    if (!pending.isEmpty() && isVisible()) {
        repaint(pending);
    }
}

void TBoardView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (const QRect& area : event->region()) {
        painter.drawImage(area.topLeft(), board.Image(), area);
    }
    if (cursor.x != 0) {
        painter.setPen(CursorColour);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(SquareInside(board.CellSize(), cursor).adjusted(0, 0, -1, -1));
    }
    pending -= event->region();
    emit Painted();
}

void TBoardView::SetCursorSquare(TSquare square)
{
    if (cursor.x != 0) {
        update(SquareInside(board.CellSize(), cursor));
    }
    cursor = square;
    if (cursor.x != 0) {
        update(SquareInside(board.CellSize(), cursor));
    }
}

void TBoardView::keyPressEvent(QKeyEvent* event)
{
    if (!IsPlayKey(event->key())) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit KeyPressed(event->key());
}

void TBoardView::keyReleaseEvent(QKeyEvent* event)
{
    if (!IsPlayKey(event->key()) || event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    emit KeyReleased(event->key());
}

void TBoardView::mousePressEvent(QMouseEvent* event)
{
    emit MousePressed(event->button(), event->buttons(), event->modifiers(), event->position().toPoint());
}

void TBoardView::mouseReleaseEvent(QMouseEvent* event)
{
    emit MouseReleased(event->button(), event->buttons(), event->modifiers(), event->position().toPoint());
}

void TBoardView::mouseMoveEvent(QMouseEvent* event)
{
    emit MouseMoved(event->position().toPoint());
}

} // namespace kalvoro::ui
