// Draws the application icon (the same design as org.kalvoro.Kalvoro.svg) as a PNG of a given size, so the
// installed PNG sizes need no SVG renderer.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace {

void DrawDisc(QPainter& painter, double cx, double cy, bool black)
{
    painter.setPen(QPen(black ? QColor(0xc0, 0xc0, 0xc0) : QColor(0x20, 0x20, 0x20), 2));
    painter.setBrush(black ? QColor(0x10, 0x10, 0x10) : QColor(Qt::white));
    painter.drawEllipse(QPointF(cx, cy), 11, 11);
}

QImage DrawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 128.0, size / 128.0);
    painter.setPen(QPen(QColor(0x00, 0x40, 0x1a), 4));
    painter.setBrush(QColor(0x00, 0x6f, 0x2e));
    painter.drawRoundedRect(QRectF(8, 8, 112, 112), 10, 10);
    painter.setPen(QPen(QColor(0x00, 0x40, 0x1a), 2));
    for (int line : { 36, 64, 92 }) {
        painter.drawLine(QLineF(line, 10, line, 118));
        painter.drawLine(QLineF(10, line, 118, line));
    }
    DrawDisc(painter, 50, 50, false);
    DrawDisc(painter, 78, 78, false);
    DrawDisc(painter, 78, 50, true);
    DrawDisc(painter, 50, 78, true);
    DrawDisc(painter, 106, 50, true);
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeIcon SIZE OUTPUT.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int size = std::atoi(argv[1]);
    if (size < 16 || size > 1024 || !DrawIcon(size).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "MakeIcon: cannot write a %s pixel icon to %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
