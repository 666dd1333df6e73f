// The program's fonts. Every size but the About box's small print is in pixels, so that a window looks the
// same at any screen resolution; where a face is missing, the desktop's font matcher picks the nearest one.
#pragma once

#include <QFont>
#include <QString>

class QPaintDevice;

namespace kalvoro::widgets {

inline const QString ArialFamily = QStringLiteral("Arial");
// The face of the memo in the analysis window and on the printed sheet.
inline const QString MemoFamily = QStringLiteral("System");

// Arial at a height in pixels, with optional weight and slant: the main window and its dialogs.
QFont ArialPixels(int pixels, bool bold = false, bool italic = false);

// Arial at a height in pixels, a sans-serif face where Arial is missing: the analysis window.
QFont SansArialPixels(int pixels, bool bold = false);

// The analysis window's memo: the memo face at 16 pixels, a sans-serif face where it is missing.
QFont MemoFont();

// The About box's last line: Arial at 9 points, regular.
QFont SmallPrintFont();

// `family` (a sans-serif face where it is missing) at the whole pixel size whose cell height on `device`
// comes nearest to `cellHeight`: the printed sheet's fonts.
QFont FontWithCellHeight(const QString& family, int cellHeight, bool bold, QPaintDevice* device);

} // namespace kalvoro::widgets
