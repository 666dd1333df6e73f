#include "BoardView.h"

#include <QMouseEvent>
#include <QPainter>

namespace kalvoro::ui {

using namespace kalvoro::engine;

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
    pending -= event->region();
    emit Painted();
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
