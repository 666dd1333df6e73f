#include "Fonts.h"

#include <QFontMetrics>

#include <algorithm>

namespace kalvoro::widgets {

namespace {

QFont SansSerifPixels(const QString& family, int pixels, bool bold)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

QFont ArialPixels(int pixels, bool bold, bool italic)
{
    QFont font(ArialFamily);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont SansArialPixels(int pixels, bool bold)
{
    return SansSerifPixels(ArialFamily, pixels, bold);
}

QFont MemoFont()
{
    QFont font(MemoFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(16);
    return font;
}

QFont SmallPrintFont()
{
    QFont font(ArialFamily);
    font.setPointSize(9);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

QFont FontWithCellHeight(const QString& family, int cellHeight, bool bold, QPaintDevice* device)
{
    QFont font = SansSerifPixels(family, std::max(1, cellHeight), bold);
    const int measured = QFontMetrics(font, device).height();
    if (measured > 0 && measured != cellHeight) {
        font.setPixelSize(std::max(1, cellHeight * cellHeight / measured));
    }
    return font;
}

} // namespace kalvoro::widgets
