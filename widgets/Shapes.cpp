#include "Shapes.h"

#include <QFontMetrics>

namespace kalvoro::widgets {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;

namespace {

int StepTowards(int from, int to)
{
    return to > from ? 1 : to < from ? -1 : 0;
}

} // namespace

void SetColours(QPainter& painter, const QColor& pen, const QColor& fill)
{
    painter.setPen(QPen(pen, 0));
    painter.setBrush(fill);
}

void BoxRect(QPainter& painter, const TPixelRect& box)
{
    painter.drawRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
}

void BoxEllipse(QPainter& painter, const TPixelRect& box)
{
    painter.drawEllipse(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
}

void LineWithoutEnd(QPainter& painter, const TPixelLine& line)
{
    painter.drawLine(line.from.x, line.from.y, line.to.x - StepTowards(line.from.x, line.to.x),
        line.to.y - StepTowards(line.from.y, line.to.y));
}

void TextAt(QPainter& painter, TPixelPoint origin, const QString& text, const QColor& colour,
    TTextBackground background)
{
    painter.save();
    painter.setPen(colour);
    if (background == TTextBackground::Fill) {
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(painter.brush());
    }
    const QFontMetrics metrics(painter.font(), painter.device());
    painter.drawText(QPoint(origin.x, origin.y + metrics.ascent()), text);
    painter.restore();
}

} // namespace kalvoro::widgets
