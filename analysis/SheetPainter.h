// The printed game sheet drawn onto any paint device: the printer, a PDF file or an image for the tests.
#pragma once

#include "records/GameRecord.h"

#include <QPainter>
#include <QSize>

#include <optional>
#include <string>

namespace kalvoro::analysis {

using namespace kalvoro::engine;
using namespace kalvoro::records;

// Paints the sheet of `record` (its comment lines are the memo lines) with `painter`, whose device shows a
// portrait page whose printable area is `pageSize` device pixels, the origin at its top-left corner.
void PaintGameSheet(QPainter& painter, QSize pageSize, const TGameRecord& record);

// The sheet of `record` as a one-page A4 PDF document at 300 dots per inch, as bytes.
QByteArray GameSheetPdf(const TGameRecord& record);

// Writes GameSheetPdf to `path` atomically; the message of the failure, or nothing.
std::optional<std::string> WriteGameSheetPdf(const TGameRecord& record, const std::string& path);

} // namespace kalvoro::analysis
