// The main window as the game flow's window, and the board's mouse input.
#include "MainWindow.h"

#include "game/GameFlow.h"
#include "widgets/ResultDialog.h"

#include <QApplication>

#include <algorithm>

namespace kalvoro::ui {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::widgets;

namespace {

QString FromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

constexpr Qt::KeyboardModifiers HeldKeys
    = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

} // namespace

void TForm1::DrawSquare(int x, int y)
{
    boardView->Invalidate(
        boardView->Board().DrawSquare(x, y, true, Cell(Game.ViewBoard, x, y), Game.SideToMove));
}

void TForm1::FormPaint()
{
    boardView->Invalidate(boardView->Board().PaintBoard(Game.ViewBoard, Game.SideToMove));
    boardView->RepaintPending();
}

void TForm1::ClearLegalMarks()
{
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            if (Cell(Game.ViewBoard, x, y) == LegalMark) {
                Cell(Game.ViewBoard, x, y) = EmptyCell;
            }
        }
    }
}

void TForm1::SetCountLabel(int colour, const std::string& text)
{
    Panel1->CountLabel(colour)->setText(FromStd(text));
}

void TForm1::SetLastMoveLabel(int colour, const std::string& text)
{
    Panel1->LastMoveLabel(colour)->setText(FromStd(text));
}

void TForm1::SetEvalLabel(int colour, const std::string& text)
{
    Panel1->EvalLabel(colour)->setText(FromStd(text));
}

void TForm1::SetStatusText(const std::string& text)
{
    StatBar->setText(FromStd(text));
}

void TForm1::HighlightCountLabel(int colour)
{
    Panel1->HighlightCountLabel(colour);
}

void TForm1::SetBusyCursor(bool busy)
{
    if (busy == busyCursorShown) {
        return;
    }
    busyCursorShown = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void TForm1::SetInputControlsEnabled(bool enabled)
{
    for (QMenu* menu : { Game1, Option1, Help1 }) {
        menu->menuAction()->setEnabled(enabled);
        for (QAction* action : menu->actions()) {
            action->setEnabled(enabled);
        }
    }
    SetPlayerSelectorsEnabled(enabled);
}

void TForm1::SetPlayerSelectorsEnabled(bool enabled)
{
    Panel1->Combo1->setEnabled(enabled);
    Panel1->Combo2->setEnabled(enabled);
}

int TForm1::PlayerLevel(int colour)
{
    return Panel1->Selector(colour)->currentIndex();
}

void TForm1::SetPlayerLevel(int colour, int level)
{
    Panel1->Selector(colour)->setCurrentIndex(level);
}

void TForm1::ShowPassMessage(const std::string& line)
{
    if (!closeRequested) {
        ShowForm4(this, QStringLiteral("Result"), QString(), FromStd(line), QString());
    }
}

void TForm1::ShowResultDialog(const std::string& line1, const std::string& line2, const std::string& line3)
{
    if (!closeRequested) {
        ShowForm4(this, QStringLiteral("Result"), FromStd(line1), FromStd(line2), FromStd(line3));
    }
}

// A window asked to close completes the move being shown without pauses, so that it closes at once.
bool TForm1::NoWait()
{
    return closeRequested || NoWait1->isChecked();
}

int TForm1::PauseTicks()
{
    return closeRequested ? 0 : timer1Tag;
}

void TForm1::SetAnimationTimer(bool enabled)
{
    if (enabled) {
        Timer1->start();
    } else {
        Timer1->stop();
    }
}

void TForm1::RepaintPending()
{
    boardView->RepaintPending();
    if (StatBar->isVisible()) {
        StatBar->repaint();
    }
}

void TForm1::ProcessMessages()
{
    // During an animation pause the next timer tick is at most 50 ms away, so waiting for it costs nothing
    // and keeps the pause from spinning; the computer's own calls must not wait.
    QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents;
    if (Timer1->isActive() && !closeRequested) {
        flags |= QEventLoop::WaitForMoreEvents;
    }
    QCoreApplication::processEvents(flags);
}

void TForm1::OpenAnalysis()
{
    if (!closeRequested) {
        Analyse1Click();
    }
}

void TForm1::DrawDebugValue(int x, int y, int value)
{
    boardView->Invalidate(boardView->Board().DrawDebugValue(x, y, value, font()));
    boardView->RepaintPending();
}

void TForm1::RedrawDiscs()
{
    boardView->Invalidate(boardView->Board().RedrawDiscs(Game.ViewBoard, Game.SideToMove));
}

void TForm1::MarkLegalMoves()
{
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            if (IsLegalMove(x, y, Game.SideToMove)) {
                Cell(Game.ViewBoard, x, y) = LegalMark;
            }
        }
    }
}

void TForm1::FormMouseMove(QPoint at)
{
    const TSquare square = SquareAt(cellSize, at.x(), at.y());
    Panel1->PosLabel->setText(square.x == 0 ? QString() : FromStd(SquareName(square.x, square.y)));
}

void TForm1::FormMouseDown(
    Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, QPoint at)
{
    if (Game.DebugMode) {
        // While the game flow works (the computer searching GameBoard, a move being shown) the board is not
        // edited under it.
        if (Game.InputEnabled && !Game.Busy) {
            DebugEdit(buttons, keys, at);
        }
        return;
    }
    if (Game.InputEnabled && button == Qt::RightButton) {
        MarkLegalMoves();
        RedrawDiscs();
    }
}

void TForm1::FormMouseUp(Qt::MouseButton button, QPoint at)
{
    ClearLegalMarks();
    if (Game.DebugMode) {
        return;
    }
    if (button == Qt::LeftButton) {
        const TSquare square = SquareAt(cellSize, at.x(), at.y());
        if (Game.EmptyCount != 0 && Game.InputEnabled && square.x != 0
            && IsLegalMove(square.x, square.y, Game.SideToMove)) {
            RunFlow([this, square] {
                PlayMove(square.x, square.y);
                if (!closeRequested) {
                    RunComputer();
                }
            });
        }
    } else if (button == Qt::RightButton) {
        RedrawDiscs();
    }
}

void TForm1::BoardKeyPressed(int key)
{
    TSquare square = boardView->CursorSquare();
    const QPoint centre((square.x - 1) * cellSize + cellSize / 2, (square.y - 1) * cellSize + cellSize / 2);
    switch (key) {
    case Qt::Key_Shift:
        if (!Game.DebugMode && Game.InputEnabled && !marksShownByKey) {
            marksShownByKey = true;
            MarkLegalMoves();
            RedrawDiscs();
        }
        return;
    case Qt::Key_Escape:
        boardView->SetCursorSquare({});
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (square.x != 0) {
            FormMouseUp(Qt::LeftButton, centre);
            if (marksShownByKey) {
                // The marks left with the release; their dots go from the screen too.
                marksShownByKey = false;
                RedrawDiscs();
            }
        }
        return;
    default:
        break;
    }
    if (square.x == 0) {
        // The first arrow shows the cursor where the game begins.
        square = { 4, 4 };
    } else {
        const int dx = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
        const int dy = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
        square = { static_cast<std::int16_t>(std::clamp(square.x + dx, 1, 8)),
            static_cast<std::int16_t>(std::clamp(square.y + dy, 1, 8)) };
    }
    boardView->SetCursorSquare(square);
    FormMouseMove({ (square.x - 1) * cellSize + cellSize / 2, (square.y - 1) * cellSize + cellSize / 2 });
}

void TForm1::BoardKeyReleased(int key)
{
    if (key == Qt::Key_Shift && marksShownByKey) {
        marksShownByKey = false;
        ClearLegalMarks();
        RedrawDiscs();
    }
}

void TForm1::DebugEdit(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, QPoint at)
{
    const TSquare square = SquareAt(cellSize, at.x(), at.y());
    if (square.x == 0) {
        return;
    }
    const Qt::KeyboardModifiers held = keys & HeldKeys;
    std::int16_t& cell = Cell(Game.GameBoard, square.x, square.y);
    if (held == Qt::NoModifier && buttons == Qt::LeftButton) {
        cell = Black;
    } else if (held == Qt::NoModifier && buttons == Qt::RightButton) {
        cell = White;
    } else if (held == Qt::ShiftModifier && buttons == Qt::LeftButton) {
        cell = EmptyCell;
    } else if (held == Qt::ShiftModifier && buttons == Qt::RightButton) {
        Game.SideToMove = -Game.SideToMove;
        HighlightCountLabel(Game.SideToMove);
        CountLegalMoves();
    }
    Game.ViewBoard = Game.GameBoard;
    RedrawDiscs();
}

} // namespace kalvoro::ui
