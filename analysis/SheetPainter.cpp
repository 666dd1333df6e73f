#include "SheetPainter.h"

#include "analysis/core/AnalysisGame.h"
#include "analysis/core/SheetLayout.h"
#include "records/AtomicFile.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageSize>
#include <QPdfWriter>

namespace {

const QColor Silver { 192, 192, 192 };
constexpr int PdfResolution = 300;

QFont FontWithCellHeight(const QString& family, int cellHeight, bool bold, QPaintDevice* device)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    font.setPixelSize(std::max(1, cellHeight));
    const int measured = QFontMetrics(font, device).height();
    if (measured > 0 && measured != cellHeight) {
        font.setPixelSize(std::max(1, cellHeight * cellHeight / measured));
    }
    return font;
}

// The shapes with the printer's conventions: the right and bottom edges and a line's end point are exclusive.
void DrawLine(QPainter& painter, const TPixelLine& line)
{
    const int dx = line.to.x > line.from.x ? 1 : line.to.x < line.from.x ? -1 : 0;
    const int dy = line.to.y > line.from.y ? 1 : line.to.y < line.from.y ? -1 : 0;
    painter.drawLine(line.from.x, line.from.y, line.to.x - dx, line.to.y - dy);
}

void DrawRect(QPainter& painter, const TPixelRect& box)
{
    painter.drawRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
}

void DrawEllipse(QPainter& painter, const TPixelRect& box)
{
    painter.drawEllipse(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
}

void SetColours(QPainter& painter, const QColor& pen, const QColor& fill)
{
    painter.setPen(QPen(pen, 0));
    painter.setBrush(fill);
}

// Text at its top-left corner, on an opaque background in the current fill colour.
void DrawText(QPainter& painter, TPixelPoint origin, const QString& text, const QColor& colour)
{
    painter.save();
    painter.setPen(colour);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(painter.brush());
    const QFontMetrics metrics(painter.font(), painter.device());
    painter.drawText(QPoint(origin.x, origin.y + metrics.ascent()), text);
    painter.restore();
}

class TSheetPainter {
public:
    TSheetPainter(QPainter& sheetPainter, QSize pageSize, const TGameRecord& sheetRecord)
        : painter(sheetPainter)
        , layout(PrintUnit(pageSize.width(), pageSize.height()))
        , record(sheetRecord)
        , arial(
              FontWithCellHeight(QStringLiteral("Arial"), layout.ArialFontHeight(), false, painter.device()))
    {
    }

    void Paint()
    {
        painter.setRenderHint(QPainter::Antialiasing, false);
        SetColours(painter, Qt::black, Qt::white);
        PaintLargeGrid();
        PaintMemoAndCredit();
        PaintLettersAndDigits();
        PaintMoveNumbers();
        int slot = 0;
        for (const TSmallDiagram& diagram : SmallDiagrams(record)) {
            PaintSmallDiagram(diagram, slot++);
        }
    }

private:
    void PaintLargeGrid()
    {
        for (int b = 0; b <= 8; ++b) {
            DrawLine(painter, layout.LargeVerticalLine(b));
            DrawLine(painter, layout.LargeHorizontalLine(b));
        }
        painter.setBrush(Qt::black);
        for (int star = 0; star < 4; ++star) {
            DrawEllipse(painter, layout.StarPoint(star));
        }
        painter.setBrush(Qt::white);
    }

    void PaintMemoAndCredit()
    {
        painter.setFont(
            FontWithCellHeight(QStringLiteral("System"), layout.MemoFontHeight(), false, painter.device()));
        for (std::size_t i = 0; i < record.Comments.size(); ++i) {
            DrawText(painter, layout.MemoLineOrigin(static_cast<int>(i)),
                QString::fromStdString(record.Comments[i]), Qt::black);
        }
        painter.setFont(arial);
        DrawText(painter, layout.CreditOrigin(), QString::fromLatin1(SheetCredit), Qt::black);
    }

    void PaintLettersAndDigits()
    {
        QFont bold = arial;
        bold.setBold(true);
        painter.setFont(bold);
        for (int k = 1; k <= 8; ++k) {
            DrawText(painter, layout.ColumnLetterOrigin(k), QString(QChar('a' + k - 1)), Qt::black);
            DrawText(painter, layout.RowDigitOrigin(k), QString::number(k), Qt::black);
        }
        painter.setFont(arial);
    }

    void PaintMoveNumbers()
    {
        const TBoard numbers = BuildMoveNumberBoard(record);
        for (int y = 1; y <= 8; ++y) {
            for (int x = 1; x <= 8; ++x) {
                const int v = Cell(numbers, x, y);
                if (v <= 0) {
                    continue;
                }
                const bool black = v > BlackMoveOffset;
                SetColours(painter, Qt::black, black ? Qt::black : Qt::white);
                DrawEllipse(painter, layout.LargeDisc(x, y));
                if (v != BlackStartDisc && v != WhiteStartDisc) {
                    DrawText(painter, layout.LargeNumberOrigin(x, y), QString::number(black ? v % 1000 : v),
                        black ? Qt::white : Qt::black);
                }
            }
        }
        SetColours(painter, Qt::black, Qt::white);
    }

    void PaintSmallDiagram(const TSmallDiagram& diagram, int slot)
    {
        const TPixelPoint origin = layout.SlotOrigin(slot);
        SetColours(painter, Qt::black, Qt::white);
        DrawRect(painter, layout.SmallFrame(origin));
        for (int s = 1; s <= 7; ++s) {
            DrawLine(painter, layout.SmallVerticalLine(origin, s));
            DrawLine(painter, layout.SmallHorizontalLine(origin, s));
        }
        for (int y = 1; y <= 8; ++y) {
            for (int x = 1; x <= 8; ++x) {
                const int cell = Cell(diagram.board, x, y);
                if (cell == White || cell == Black) {
                    SetColours(
                        painter, cell == White ? Qt::black : Silver, cell == White ? Qt::white : Qt::black);
                    DrawEllipse(painter, layout.SmallDisc(origin, x, y));
                }
            }
        }
        SetColours(painter, Qt::black, Qt::white);
        if (diagram.nextMove != 0) {
            const TSquare square = SquareOfMoveCode(diagram.nextMove);
            DrawRect(painter, layout.NextMoveBox(origin, square.x, square.y));
        }
        painter.setFont(arial);
        DrawText(painter, layout.LabelOrigin(origin), QString::fromStdString(diagram.label), Qt::black);
    }

    QPainter& painter;
    TSheetLayout layout;
    const TGameRecord& record;
    QFont arial;
};

} // namespace

void PaintGameSheet(QPainter& painter, QSize pageSize, const TGameRecord& record)
{
    TSheetPainter(painter, pageSize, record).Paint();
}

QByteArray GameSheetPdf(const TGameRecord& record)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setResolution(PdfResolution);
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setTitle(QStringLiteral("Kalvoro game sheet"));
        writer.setCreator(QStringLiteral("Kalvoro"));
        QPainter painter(&writer);
        PaintGameSheet(painter, QSize(writer.width(), writer.height()), record);
    }
    return bytes;
}

std::optional<std::string> WriteGameSheetPdf(const TGameRecord& record, const std::string& path)
{
    try {
        const QByteArray bytes = GameSheetPdf(record);
        WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            "Cannot write the game sheet");
    } catch (const TFileError& error) {
        return error.what();
    }
    return std::nullopt;
}
