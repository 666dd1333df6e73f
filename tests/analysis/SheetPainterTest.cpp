#include "analysis/SheetPainter.h"

#include "TestRecords.h"
#include "analysis/core/SheetLayout.h"
#include "support/QtTestApplication.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;

using testrecords::RecordOfMoves;

namespace {

// A page of 72 by 95 units of 10 pixels.
constexpr int Unit = 10;

QImage RenderSheet(const TGameRecord& record)
{
    QImage image(72 * Unit, 95 * Unit, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintGameSheet(painter, image.size(), record);
    painter.end();
    if (const char* folder = std::getenv("KALVORO_SHEET_PNG")) {
        image.save(QString::fromLocal8Bit(folder) + QStringLiteral("/sheet-%1.png").arg(record.LastIndex));
    }
    return image;
}

bool IsDark(const QColor& colour)
{
    return colour.lightness() < 100;
}

// The number of dark pixels in the rectangle.
int DarkPixels(const QImage& image, int left, int top, int width, int height)
{
    int count = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            count += IsDark(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// A record whose last position has `black` and `white` discs (the positions before it are the start).
TGameRecord EndingWith(int black, int white)
{
    TGameRecord record = RecordOfMoves({ 65 });
    TBoard board = InitialBoard();
    int placed = 0;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x, ++placed) {
            Cell(board, x, y) = static_cast<std::int16_t>(placed < black ? Black
                    : placed < black + white                             ? White
                                                                         : 0);
        }
    }
    const auto rows = PackRows(board);
    std::copy(rows.begin(), rows.end(), record.PositionRows.back().begin() + 1);
    return record;
}

std::vector<int> SixtyMoves()
{
    for (unsigned seed = 1; seed < 500; ++seed) {
        std::vector<int> moves = testrecords::RandomGameMoves(seed);
        if (moves.size() == 60 && std::find(moves.begin(), moves.end(), 0) == moves.end()) {
            return moves;
        }
    }
    return {};
}

} // namespace

TEST(PaintGameSheet, DrawsSixtyOneDiagramsForSixtyMoves)
{
    TestApplication();
    const std::vector<int> moves = SixtyMoves();
    ASSERT_EQ(moves.size(), 60U);
    const TGameRecord record = RecordOfMoves(moves, { "Date : today", "Black : Grade 1", "White : Cow" });
    const QImage image = RenderSheet(record);
    const TSheetLayout layout(Unit);
    for (int slot = 0; slot < 64; ++slot) {
        const TPixelPoint origin = layout.SlotOrigin(slot);
        const bool used = slot < 61;
        EXPECT_EQ(IsDark(image.pixelColor(origin.x, origin.y)), used) << "frame corner of slot " << slot;
        EXPECT_EQ(IsDark(image.pixelColor(origin.x + 8 * Unit, origin.y + 4 * Unit + 3)), used)
            << "right edge " << slot;
        const TPixelPoint label = layout.LabelOrigin(origin);
        EXPECT_EQ(DarkPixels(image, label.x, label.y, 5 * Unit, layout.ArialFontHeight()) > 0, used)
            << "label " << slot;
    }
    // Slot 0 is the start position: d4 white, e4 black (disc centres), and the next-move box on the first
    // move.
    const TPixelPoint start = layout.SlotOrigin(0);
    EXPECT_EQ(image.pixelColor(start.x + 35, start.y + 35), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(start.x + 45, start.y + 35), QColor(Qt::black));
    const TSquare first = SquareOfMoveCode(moves[0]);
    const TPixelRect box = layout.NextMoveBox(start, first.x, first.y);
    EXPECT_EQ(image.pixelColor(box.left, box.top), QColor(Qt::black));
    // The large diagram: the starting discs without numbers, the first move's disc black with a white number.
    EXPECT_EQ(image.pixelColor(2 * 4 * Unit, 2 * 4 * Unit + Unit), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(2 * 5 * Unit, 2 * 4 * Unit + Unit), QColor(Qt::black));
    const TPixelRect disc = layout.LargeDisc(first.x, first.y);
    EXPECT_EQ(image.pixelColor(disc.left + 2, (disc.top + disc.bottom) / 2), QColor(Qt::black));
    // Grid lines and star points of the large diagram.
    EXPECT_TRUE(IsDark(image.pixelColor(Unit, 10 * Unit)));
    EXPECT_TRUE(IsDark(image.pixelColor(10 * Unit, 2 * Unit)));
    EXPECT_TRUE(IsDark(image.pixelColor(5 * Unit + 1, 6 * Unit + 1)));
    // The memo lines stand to the right of the large diagram, the credit line below them.
    EXPECT_GT(DarkPixels(image, 19 * Unit, 2 * Unit, 20 * Unit, layout.MemoFontHeight()), 0);
    EXPECT_GT(DarkPixels(image, 19 * Unit, 5 * Unit, 20 * Unit, layout.MemoFontHeight()), 0);
    EXPECT_EQ(DarkPixels(image, 19 * Unit, 7 * Unit, 20 * Unit, layout.MemoFontHeight()), 0);
    EXPECT_GT(DarkPixels(image, 43 * Unit, 16 * Unit, 20 * Unit, layout.ArialFontHeight()), 0);
}

TEST(PaintGameSheet, LabelsTheFinalDiagramWithTheResult)
{
    TestApplication();
    // The label images of the same text match, and differ between different results.
    const TSheetLayout layout(Unit);
    const TPixelPoint label = layout.LabelOrigin(layout.SlotOrigin(1));
    auto labelImage = [&](const TGameRecord& record) {
        return RenderSheet(record).copy(label.x, label.y, 6 * Unit, layout.ArialFontHeight());
    };
    const QImage draw = labelImage(EndingWith(32, 32));
    const QImage whiteByTen = labelImage(EndingWith(27, 37));
    EXPECT_EQ(draw, labelImage(EndingWith(20, 20)));
    EXPECT_EQ(whiteByTen, labelImage(EndingWith(0, 10)));
    EXPECT_NE(draw, whiteByTen);
    EXPECT_NE(whiteByTen, labelImage(EndingWith(37, 27)));
    EXPECT_GT(DarkPixels(whiteByTen, 0, 0, whiteByTen.width(), whiteByTen.height()),
        DarkPixels(draw, 0, 0, draw.width(), draw.height()) / 2);
}

TEST(PaintGameSheet, StartOnlyRecordHasOneDiagram)
{
    TestApplication();
    const QImage image = RenderSheet(RecordOfMoves({}));
    const TSheetLayout layout(Unit);
    EXPECT_TRUE(IsDark(image.pixelColor(0, 19 * Unit)));
    EXPECT_FALSE(IsDark(image.pixelColor(9 * Unit, 19 * Unit)));
}

TEST(GameSheetPdf, IsAOnePageDocument)
{
    TestApplication();
    const QByteArray pdf = GameSheetPdf(RecordOfMoves({ 65, 46 }));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
}
