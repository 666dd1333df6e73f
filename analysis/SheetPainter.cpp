#include "SheetPainter.h"

#include "CommentLines.h"

#include "analysis/core/AnalysisGame.h"
#include "analysis/core/SheetLayout.h"
#include "records/AtomicFile.h"
#include "widgets/Colours.h"
#include "widgets/Fonts.h"
#include "widgets/MoveNumberDiagram.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>

namespace kalvoro::analysis {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::widgets;

namespace {

constexpr int PdfResolution = 300;

class TSheetPainter {
public:
    TSheetPainter(QPainter& sheetPainter, QSize pageSize, const TGameRecord& sheetRecord)
        : painter(sheetPainter)
        , layout(PrintUnit(pageSize.width(), pageSize.height()))
        , record(sheetRecord)
        , arial(FontWithCellHeight(ArialFamily, layout.ArialFontHeight(), false, painter.device()))
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
            LineWithoutEnd(painter, layout.LargeVerticalLine(b));
            LineWithoutEnd(painter, layout.LargeHorizontalLine(b));
        }
        painter.setBrush(Qt::black);
        for (int star = 0; star < 4; ++star) {
            BoxEllipse(painter, layout.StarPoint(star));
        }
        painter.setBrush(Qt::white);
    }

    void PaintMemoAndCredit()
    {
        painter.setFont(FontWithCellHeight(MemoFamily, layout.MemoFontHeight(), false, painter.device()));
        const std::size_t shown = std::min(record.Comments.size(), MaxShownCommentLines);
        for (std::size_t i = 0; i < shown; ++i) {
            Text(layout.MemoLineOrigin(static_cast<int>(i)), ShownCommentLine(record.Comments[i]));
        }
        painter.setFont(arial);
        Text(layout.CreditOrigin(), QString::fromLatin1(SheetCredit));
    }

    void PaintLettersAndDigits()
    {
        QFont bold = arial;
        bold.setBold(true);
        painter.setFont(bold);
        for (int k = 1; k <= 8; ++k) {
            Text(layout.ColumnLetterOrigin(k), QString(QChar('a' + k - 1)));
            Text(layout.RowDigitOrigin(k), QString::number(k));
        }
        painter.setFont(arial);
    }

    void PaintMoveNumbers()
    {
        const auto placeOf = [this](int x, int y) {
            return TMoveNumberPlace { layout.LargeDisc(x, y), layout.LargeNumberOrigin(x, y) };
        };
        widgets::PaintMoveNumbers(
            painter, BuildMoveNumberBoard(record), { placeOf, Qt::black, TTextBackground::Fill });
    }

    void PaintSmallDiagram(const TSmallDiagram& diagram, int slot)
    {
        const TPixelPoint origin = layout.SlotOrigin(slot);
        SetColours(painter, Qt::black, Qt::white);
        BoxRect(painter, layout.SmallFrame(origin));
        for (int s = 1; s <= 7; ++s) {
            LineWithoutEnd(painter, layout.SmallVerticalLine(origin, s));
            LineWithoutEnd(painter, layout.SmallHorizontalLine(origin, s));
        }
        for (int y = 1; y <= 8; ++y) {
            for (int x = 1; x <= 8; ++x) {
                const int cell = Cell(diagram.board, x, y);
                if (cell == White || cell == Black) {
                    SetColours(painter, cell == White ? Qt::black : Colours::Silver,
                        cell == White ? Qt::white : Qt::black);
                    BoxEllipse(painter, layout.SmallDisc(origin, x, y));
                }
            }
        }
        SetColours(painter, Qt::black, Qt::white);
        if (diagram.nextMove != 0) {
            const TSquare square = SquareOfMoveCode(diagram.nextMove);
            BoxRect(painter, layout.NextMoveBox(origin, square.x, square.y));
        }
        painter.setFont(arial);
        Text(layout.LabelOrigin(origin), QString::fromStdString(diagram.label));
    }

    // Black text on a box of the current fill colour, as the printer draws text.
    void Text(TPixelPoint origin, const QString& text)
    {
        TextAt(painter, origin, text, Qt::black, TTextBackground::Fill);
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

} // namespace kalvoro::analysis
