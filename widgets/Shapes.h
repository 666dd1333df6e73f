// The program's painting conventions, the same on the screen and on paper: a rectangle or an ellipse is given
// by its bounding box, whose right and bottom edges lie outside it; a line is drawn without its end point;
// outlines are one pixel wide on any device.
#pragma once

#include "analysis/core/SheetLayout.h"

#include <QPainter>

namespace kalvoro::widgets {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;

// Outlines in `pen`, insides in `fill`.
void SetColours(QPainter& painter, const QColor& pen, const QColor& fill);

void BoxRect(QPainter& painter, const TPixelRect& box);
void BoxEllipse(QPainter& painter, const TPixelRect& box);
void LineWithoutEnd(QPainter& painter, const TPixelLine& line);

enum class TTextBackground { Transparent, Fill };

// `text` in `colour` in the painter's font, its top-left corner at `origin`; with TTextBackground::Fill on a
// box of the current fill colour. Leaves the painter's pen and modes as they were.
void TextAt(QPainter& painter, TPixelPoint origin, const QString& text, const QColor& colour,
    TTextBackground background = TTextBackground::Transparent);

} // namespace kalvoro::widgets
