#include "ButtonIcons.h"

#include "Colours.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace kalvoro::widgets {

namespace {

constexpr int IconSize = 19;
constexpr int ArrowSize = 16;

struct TIconColours {
    QColor ink;
    QColor body;
    QColor accent;
    QColor light;
};

const TIconColours NormalColours { QColor(0, 0, 0), QColor(40, 70, 160), QColor(200, 160, 0),
    QColor(255, 255, 255) };
const TIconColours DisabledColours { Colours::Grey, QColor(160, 160, 160), QColor(176, 176, 176),
    QColor(224, 224, 224) };
const TIconColours ArrowColours { Qt::black, Colours::Navy, {}, {} };
const TIconColours DisabledArrowColours { Colours::Grey, Colours::Silver, {}, {} };

using TIconPainter = std::function<void(QPainter&, const TIconColours&)>;

QPixmap DrawIcon(int size, const TIconPainter& paint, const TIconColours& colours)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    paint(painter, colours);
    return pixmap;
}

QIcon MakeIcon(const TIconPainter& paint, int size = IconSize, const TIconColours& normal = NormalColours,
    const TIconColours& disabled = DisabledColours)
{
    QIcon icon;
    icon.addPixmap(DrawIcon(size, paint, normal), QIcon::Normal);
    icon.addPixmap(DrawIcon(size, paint, disabled), QIcon::Disabled);
    return icon;
}

// A diskette: the body, its label and the metal shutter.
void PaintDiskette(QPainter& painter, const TIconColours& colours)
{
    painter.setPen(colours.ink);
    painter.setBrush(colours.body);
    painter.drawRect(2, 2, 15, 15);
    painter.setBrush(colours.light);
    painter.drawRect(5, 2, 9, 6);
    painter.setBrush(colours.accent);
    painter.drawRect(5, 11, 9, 6);
    painter.fillRect(11, 3, 2, 4, colours.body);
}

// An opened folder.
void PaintFolder(QPainter& painter, const TIconColours& colours)
{
    painter.setPen(colours.ink);
    painter.setBrush(colours.accent);
    painter.drawPolygon(
        QPolygon({ QPoint(1, 4), QPoint(6, 4), QPoint(8, 6), QPoint(15, 6), QPoint(15, 16), QPoint(1, 16) }));
    painter.setBrush(colours.accent.lighter(130));
    painter.drawPolygon(QPolygon({ QPoint(4, 9), QPoint(18, 9), QPoint(15, 16), QPoint(1, 16) }));
}

// A printer with a sheet of paper.
void PaintPrinter(QPainter& painter, const TIconColours& colours)
{
    painter.setPen(colours.ink);
    painter.setBrush(colours.light);
    painter.drawRect(5, 1, 9, 7);
    painter.setBrush(colours.body);
    painter.drawRect(1, 7, 17, 7);
    painter.setBrush(colours.light);
    painter.drawRect(4, 12, 11, 5);
    painter.setPen(colours.accent);
    painter.drawPoint(15, 9);
    painter.drawPoint(16, 9);
}

// A black and a white disc with a star over them: the best move.
void PaintBestMove(QPainter& painter, const TIconColours& colours)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(colours.ink);
    painter.setBrush(colours.light);
    painter.drawEllipse(QRectF(1.5, 7.5, 9, 9));
    painter.setBrush(colours.ink);
    painter.drawEllipse(QRectF(8.5, 7.5, 9, 9));
    QPainterPath star;
    star.moveTo(9.5, 0.5);
    star.lineTo(11, 4);
    star.lineTo(14.5, 4);
    star.lineTo(11.8, 6.2);
    star.lineTo(13, 9.5);
    star.lineTo(9.5, 7.4);
    star.lineTo(6, 9.5);
    star.lineTo(7.2, 6.2);
    star.lineTo(4.5, 4);
    star.lineTo(8, 4);
    star.closeSubpath();
    painter.setPen(colours.ink);
    painter.setBrush(colours.accent);
    painter.drawPath(star);
}

// An arrow pointing left, outlined in ink.
void PaintArrow(QPainter& painter, const TIconColours& colours)
{
    painter.setPen(colours.ink);
    painter.setBrush(colours.body);
    painter.drawPolygon(
        QPolygon({ { 1, 8 }, { 8, 1 }, { 8, 5 }, { 14, 5 }, { 14, 11 }, { 8, 11 }, { 8, 15 } }));
}

} // namespace

QIcon SaveIcon()
{
    return MakeIcon(PaintDiskette);
}

QIcon OpenIcon()
{
    return MakeIcon(PaintFolder);
}

QIcon PrintIcon()
{
    return MakeIcon(PaintPrinter);
}

QIcon BestMoveIcon()
{
    return MakeIcon(PaintBestMove);
}

QIcon BackArrowIcon()
{
    return MakeIcon(PaintArrow, ArrowSize, ArrowColours, DisabledArrowColours);
}

} // namespace kalvoro::widgets
