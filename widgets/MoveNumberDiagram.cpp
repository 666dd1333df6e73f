#include "MoveNumberDiagram.h"

#include "analysis/core/AnalysisGame.h"

namespace kalvoro::widgets {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;

void PaintMoveNumbers(QPainter& painter, const TBoard& numbers, const TMoveNumberLook& look)
{
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            const int v = Cell(numbers, x, y);
            if (v <= 0) {
                continue;
            }
            const bool black = v > BlackMoveOffset;
            const TMoveNumberPlace place = look.placeOf(x, y);
            SetColours(painter, black ? look.blackRim : Qt::black, black ? Qt::black : Qt::white);
            BoxEllipse(painter, place.disc);
            if (v != BlackStartDisc && v != WhiteStartDisc) {
                TextAt(painter, place.number, QString::number(v % BlackMoveOffset),
                    black ? Qt::white : Qt::black, look.numberBackground);
            }
        }
    }
    SetColours(painter, Qt::black, Qt::white);
}

} // namespace kalvoro::widgets
