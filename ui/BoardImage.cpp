#include "BoardImage.h"

#include "widgets/Colours.h"
#include "widgets/Shapes.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace kalvoro::ui {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::widgets;
using namespace kalvoro::analysis;

namespace {

// Rounds half to even, as the board's star point and dot positions are defined.
int RoundHalfEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

int BoardPixels(int cellSize)
{
    return 8 * cellSize + 1;
}

QImage GreenImage(int cellSize)
{
    QImage image(BoardPixels(cellSize), BoardPixels(cellSize), QImage::Format_RGB32);
    image.fill(Colours::Green);
    return image;
}

} // namespace

QRect BoxOf(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

TStarBoxes StarBoxes(int cellSize)
{
    return { RoundHalfEven(1.9 * cellSize) + 2, RoundHalfEven(2.1 * cellSize) + 2,
        RoundHalfEven(5.9 * cellSize) + 2, RoundHalfEven(6.1 * cellSize) + 2 };
}

TSquare SquareAt(int cellSize, int px, int py)
{
    if (px < 0 || py < 0 || px >= 8 * cellSize || py >= 8 * cellSize) {
        return {};
    }
    return { static_cast<std::int16_t>(px / cellSize + 1), static_cast<std::int16_t>(py / cellSize + 1) };
}

TBoardImage::TBoardImage(int initialCellSize)
    : cellSize(initialCellSize)
    , image(GreenImage(initialCellSize))
{
}

void TBoardImage::Resize(int newCellSize)
{
    cellSize = newCellSize;
    image = GreenImage(newCellSize);
}

QRect TBoardImage::FillBox(const QRect& box, const QColor& colour)
{
    QPainter painter(&image);
    painter.fillRect(box, colour);
    return box;
}

QRect TBoardImage::DrawEllipse(const QRect& box, const QColor& pen, const QColor& brush)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    SetColours(painter, pen, brush);
    BoxEllipse(painter, { box.left(), box.top(), box.left() + box.width(), box.top() + box.height() });
    return box;
}

QRect TBoardImage::PaintBoard(const TBoard& view, int sideToMove)
{
    const int c = cellSize;
    const int last = 8 * c;
    image.fill(Colours::Green);
    QPainter painter(&image);
    painter.fillRect(BoxOf(0, 0, last + 1, 1), Qt::black);
    painter.fillRect(BoxOf(0, last, last + 1, last + 1), Qt::black);
    painter.fillRect(BoxOf(0, 0, 1, last + 1), Qt::black);
    painter.fillRect(BoxOf(last, 0, last + 1, last + 1), Qt::black);
    for (int i = 1; i <= 7; ++i) {
        painter.fillRect(BoxOf(i * c + 1, 0, i * c + 2, last), Qt::black);
        painter.fillRect(BoxOf(0, i * c + 1, last, i * c + 2), Qt::black);
    }
    painter.end();
    DrawStarPoints();
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            DrawSquare(x, y, false, Cell(view, x, y), sideToMove);
        }
    }
    return image.rect();
}

QRect TBoardImage::DrawSquare(int x, int y, bool erase, int value, int sideToMove)
{
    const int c = cellSize;
    const QRect disc = BoxOf((x - 1) * c + 3, (y - 1) * c + 3, x * c, y * c);
    switch (value) {
    case White:
        return DrawEllipse(disc, Qt::black, Qt::white);
    case Black:
        return DrawEllipse(disc, Colours::Silver, Qt::black);
    case EmptyCell:
        return erase ? FillBox(BoxOf((x - 1) * c + 2, (y - 1) * c + 2, x * c, y * c), Colours::Green)
                     : QRect();
    case LegalMark: {
        const int px = RoundHalfEven((x - 0.5) * c);
        const int py = RoundHalfEven((y - 0.5) * c);
        return DrawEllipse(BoxOf(px - 1, py - 1, px + 4, py + 4), Colours::Lime,
            sideToMove == Black ? Qt::black : Qt::white);
    }
    default:
        return {};
    }
}

QRect TBoardImage::DrawStarPoints()
{
    const TStarBoxes boxes = StarBoxes(cellSize);
    const int from[2] = { boxes.nearFrom, boxes.farFrom };
    const int to[2] = { boxes.nearTo, boxes.farTo };
    QRect changed;
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            changed |= DrawEllipse(BoxOf(from[i], from[j], to[i], to[j]), Qt::black, Qt::black);
        }
    }
    return changed;
}

QRect TBoardImage::RedrawDiscs(const TBoard& view, int sideToMove)
{
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            DrawSquare(x, y, true, Cell(view, x, y), sideToMove);
        }
    }
    DrawStarPoints();
    return image.rect();
}

QRect TBoardImage::DrawDebugValue(int x, int y, int value, const QFont& font)
{
    const QString text = QString::number(value);
    QFont crisp = font;
    crisp.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(crisp);
    const QRect box(
        (x - 1) * cellSize + 2, (y - 1) * cellSize + 2, metrics.horizontalAdvance(text), metrics.height());
    QPainter painter(&image);
    painter.fillRect(box, Colours::Green);
    painter.setFont(crisp);
    painter.setPen(Qt::white);
    painter.drawText(box.left(), box.top() + metrics.ascent(), text);
    return box & image.rect();
}

} // namespace kalvoro::ui
