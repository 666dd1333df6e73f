#include "AnalysisWindow.h"

#include "SheetPainter.h"
#include "analysis/core/BestMove.h"
#include "analysis/core/TextExport.h"
#include "records/FileLocations.h"
#include "records/MoveTranscript.h"
#include "records/ProgramFolder.h"
#include "widgets/BackgroundWork.h"
#include "widgets/ButtonIcons.h"
#include "widgets/Colours.h"
#include "widgets/Fonts.h"
#include "widgets/MoveNumberDiagram.h"
#include "widgets/RecordDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <algorithm>
#include <thread>

#include <filesystem>

namespace kalvoro::analysis {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::widgets;

namespace {

constexpr int ListLineHeight = 16;
// The word of a position line that holds the move played from the position.
constexpr std::size_t MoveWord = 9;

QToolButton* MakeImageButton(QWidget* parent, QRect geometry, const QIcon& icon, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setGeometry(geometry);
    button->setIcon(icon);
    button->setIconSize(QSize(19, 19));
    button->setToolTip(tip);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void PaintBoardBackground(QPainter& painter, int left)
{
    SetColours(painter, Qt::black, Colours::Green);
    BoxRect(painter, { left, 20, left + 233, 253 });
    for (int k = 1; k <= 7; ++k) {
        painter.drawLine(left + 1 + 29 * k, 20, left + 1 + 29 * k, 251);
        painter.drawLine(left + 1, 21 + 29 * k, left + 232, 21 + 29 * k);
    }
    painter.setBrush(Qt::black);
    for (const int x : { 56, 172 }) {
        for (const int y : { 76, 192 }) {
            BoxEllipse(painter, { left + x, y, left + x + 6, y + 6 });
        }
    }
}

void PaintCoordinates(QPainter& painter, int left)
{
    painter.setFont(SansArialPixels(13, true));
    for (int k = 1; k <= 8; ++k) {
        TextAt(painter, { left - 16 + 29 * k, 1 }, QString(QChar('a' + k - 1)), Qt::black);
        TextAt(painter, { left - 11, 29 * k - 5 }, QString::number(k), Qt::black);
    }
}

// The move-number diagram on the right-hand board, a disc of 26 pixels in each square of 29.
TMoveNumberPlace WindowMoveNumberPlace(int x, int y)
{
    return { { 354 + 29 * x, 29 * y - 6, 380 + 29 * x, 29 * y + 20 }, { 360 + 29 * x, 29 * y - 2 } };
}

std::string FolderOf(const std::string& path)
{
    return std::filesystem::path(path).parent_path().string();
}

std::string NameOf(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

} // namespace

TForm2::TForm2(QWidget* parent, std::unique_ptr<IAnalysisDialogs> answerer)
    : QDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
    , List1(new QListWidget(this))
    , Memo1(new QPlainTextEdit(this))
    , SaveBtn(MakeImageButton(this, { 556, 264, 25, 25 }, SaveIcon(), QStringLiteral("Save")))
    , OpenBtn(MakeImageButton(this, { 592, 264, 25, 25 }, OpenIcon(), QStringLiteral("Open")))
    , PrintBtn(MakeImageButton(this, { 556, 300, 25, 25 }, PrintIcon(), QStringLiteral("Print")))
    , HintBtn(MakeImageButton(this, { 592, 300, 25, 25 }, BestMoveIcon(), QStringLiteral("BestMove")))
    , CloseBtn(new QPushButton(QStringLiteral("&Close"), this))
    , dataFolder(FileLocationsOfThisProgram(nullptr).DataFolder)
    , dialogs(answerer ? std::move(answerer) : std::make_unique<TStandardDialogs>(this))
{
    setFixedSize(624, 375);
    setFont(SansArialPixels(13));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    List1->setGeometry(0, 0, 108, 369);
    List1->setFont(SansArialPixels(13, true));
    List1->setUniformItemSizes(true);
    Memo1->setGeometry(116, 264, 429, 105);
    Memo1->setFont(MemoFont());
    Memo1->setTabChangesFocus(true);
    CloseBtn->setGeometry(556, 344, 59, 25);
    CloseBtn->setDefault(true);
    CloseBtn->setAutoDefault(true);
    setTabOrder(CloseBtn, List1);
    setTabOrder(List1, Memo1);
    HintBtn->setEnabled(false);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != CurrentIndex) {
            List1Click();
        }
    });
    connect(SaveBtn, &QToolButton::clicked, this, &TForm2::SaveBtnClick);
    connect(OpenBtn, &QToolButton::clicked, this, &TForm2::OpenBtnClick);
    connect(PrintBtn, &QToolButton::clicked, this, &TForm2::PrintBtnClick);
    connect(HintBtn, &QToolButton::clicked, this, &TForm2::HintBtnClick);
    setAcceptDrops(true);
    List1->installEventFilter(this);
    // The memo takes dropped text; a dropped record opens the game instead.
    Memo1->viewport()->installEventFilter(this);
    FormCreate();
    SetGame(StartOnlyRecord());
    CloseBtn->setFocus();
}

void TForm2::FormCreate()
{
    MoveNumberBoard.fill(BorderCell);
    ShownBoard.fill(BorderCell);
}

void TForm2::SetGame(const TGameRecord& record)
{
    PositionRows = record.PositionRows;
    LastIndex = record.LastIndex;
    Memo1->setPlainText(comments.Show(record.Comments));
    comments.RememberShown(MemoTextLines());
}

QStringList TForm2::MemoTextLines() const
{
    // The raw text keeps no-break spaces, which the plain text turns into blanks.
    const QString text = Memo1->document()->toRawText();
    if (text.isEmpty()) {
        return {};
    }
    return text.split(QChar::ParagraphSeparator);
}

std::vector<std::string> TForm2::MemoLines() const
{
    return comments.Lines(MemoTextLines());
}

TGameRecord TForm2::CurrentRecord() const
{
    TGameRecord record;
    record.LastIndex = LastIndex;
    record.PositionRows = PositionRows;
    record.Comments = MemoLines();
    return record;
}

void TForm2::UpdateCaption()
{
    setWindowTitle(QStringLiteral("Kalvoro Analyse mode (") + QString::fromStdString(NameOf(RecordFileName))
        + QStringLiteral(")"));
}

void TForm2::FormShow()
{
    FillMoveList();
    CurrentIndex = 0;
    const QSignalBlocker quiet(List1);
    List1->setCurrentRow(0);
    UnpackShownPosition();
    update();
}

void TForm2::FillMoveList()
{
    const TGameRecord record = CurrentRecord();
    List1->clear();
    for (const std::string& line : MoveListLines(record)) {
        auto* item = new QListWidgetItem(QString::fromStdString(line), List1);
        item->setSizeHint(QSize(0, ListLineHeight));
    }
    MoveNumberBoard = BuildMoveNumberBoard(record);
}

void TForm2::UnpackShownPosition()
{
    const TGameRecord record { LastIndex, PositionRows, {} };
    ShownBoard = UnpackPosition(record, CurrentIndex);
    HintBtn->setEnabled(HintAvailable(record, CurrentIndex));
}

void TForm2::List1Click()
{
    CurrentIndex = std::clamp(List1->currentRow(), 0, LastIndex);
    UnpackShownPosition();
    update();
}

void TForm2::ReturnToStart()
{
    List1->setCurrentRow(0);
    List1Click();
}

void TForm2::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintBoardBackground(painter, 128);
    PaintBoardBackground(painter, 380);
    PaintCoordinates(painter, 128);
    PaintCoordinates(painter, 380);
    painter.setFont(SansArialPixels(13));
    PaintMoveNumbers(painter, MoveNumberBoard, { WindowMoveNumberPlace, Colours::Silver });
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            const int v = Cell(ShownBoard, x, y);
            if (v == White || v == Black) {
                SetColours(
                    painter, v == White ? Qt::black : Colours::Silver, v == White ? Qt::white : Qt::black);
                BoxEllipse(painter, { 102 + 29 * x, 29 * y - 6, 128 + 29 * x, 29 * y + 20 });
            }
        }
    }
    const TGameRecord record { LastIndex, PositionRows, {} };
    if (const int last = LastMoveShown(record, CurrentIndex); last != 0) {
        const TSquare square = SquareOfMoveCode(last);
        SetColours(painter, Colours::Blue, Colours::Lime);
        BoxEllipse(
            painter, { 110 + 29 * square.x, 2 + 29 * square.y, 120 + 29 * square.x, 12 + 29 * square.y });
    }
    if (const int next = NextMoveShown(record, CurrentIndex); next != 0) {
        const TSquare square = SquareOfMoveCode(next);
        const QColor colour = CurrentIndex % 2 == 1 ? Qt::white : Qt::black;
        painter.fillRect(QRect(113 + 29 * square.x, 5 + 29 * square.y, 4, 4), colour);
    }
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm2::SaveBtnClick()
{
    const std::string folder
        = RecordFileName.find('/') == std::string::npos ? dataFolder : FolderOf(RecordFileName);
    const std::optional<std::string> path = dialogs->AskSavePath(folder, NameOf(RecordFileName));
    if (!path) {
        return;
    }
    RecordFileName = *path;
    UpdateCaption();
    try {
        SaveGameRecord(*path, CurrentRecord());
    } catch (const TFileError& error) {
        dialogs->ShowError(error.what());
    }
}

void TForm2::OpenBtnClick()
{
    const std::string folder
        = RecordFileName.find('/') == std::string::npos ? dataFolder : FolderOf(RecordFileName);
    if (const std::optional<std::string> path = dialogs->AskOpenPath(folder, {})) {
        OpenRecord(*path);
    }
}

void TForm2::OpenRecord(const std::string& path)
{
    TGameRecord record;
    try {
        record = ReadGameRecord(path);
    } catch (const TFileError& error) {
        dialogs->ShowError(error.what());
        return;
    }
    RecordFileName = path;
    UpdateCaption();
    SetGame(record);
    FormShow();
}

void TForm2::CopyMoves()
{
    std::vector<std::uint16_t> moves;
    for (int i = 0; i < LastIndex && i < static_cast<int>(PositionRows.size()); ++i) {
        moves.push_back(PositionRows[static_cast<std::size_t>(i)][MoveWord]);
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(TranscriptOf(moves)));
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == List1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopyMoves();
        return true;
    }
    if (watched == Memo1->viewport() && event->type() == QEvent::DragEnter
        && DroppedRecordPath(static_cast<QDragEnterEvent*>(event)->mimeData())) {
        dragEnterEvent(static_cast<QDragEnterEvent*>(event));
        return true;
    }
    if (watched == Memo1->viewport() && event->type() == QEvent::Drop
        && DroppedRecordPath(static_cast<QDropEvent*>(event)->mimeData())) {
        dropEvent(static_cast<QDropEvent*>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedRecordPath(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void TForm2::dropEvent(QDropEvent* event)
{
    if (const std::optional<std::string> path = DroppedRecordPath(event->mimeData())) {
        event->acceptProposedAction();
        OpenRecord(*path);
    }
}

void TForm2::HintBtnClick()
{
    QCoreApplication::processEvents();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TBoard board = ShownBoard;
    const int colour = SideToMoveAt(CurrentIndex);
    const int threads = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    const TBestMove result
        = RunWhilePainting([board, colour, threads] { return AnalyseBestMove(board, colour, threads); });
    QApplication::restoreOverrideCursor();
    dialogs->ShowBestMove(BestMoveReport(result));
}

void TForm2::ExportText()
{
    const std::string path = InFolder(dataFolder, ExportFileName);
    try {
        CreateFolder(dataFolder);
        WriteFileAtomically(path, TextSheet(CurrentRecord()), "Cannot export the game to");
    } catch (const TFileError& error) {
        dialogs->ShowError(error.what());
        return;
    }
    if (dialogs->Confirm(ExportConfirmation(path))) {
        dialogs->OpenDocument(path);
    }
    ReturnToStart();
}

void TForm2::PrintBtnClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    switch (dialogs->ChoosePrinter(printer)) {
    case TPrintChoice::Cancelled:
        return;
    case TPrintChoice::PrintToFile:
        ExportText();
        return;
    case TPrintChoice::Print:
        PrintSheet(printer);
        return;
    }
}

void TForm2::PrintSheet(QPrinter& printer)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    bool printed = painter.begin(&printer);
    if (printed) {
        PaintGameSheet(painter, QSize(printer.width(), printer.height()), CurrentRecord());
        printed = painter.end() && printer.printerState() != QPrinter::Error;
    }
    QApplication::restoreOverrideCursor();
    if (!printed) {
        printer.abort();
        dialogs->ShowError("Cannot print the game: the printer \"" + printer.printerName().toStdString()
            + "\" reported an error.");
        return;
    }
    ReturnToStart();
}

void ShowAnalysisWindow(QWidget* parent, const TAnalysisHandOver& handOver, const std::string& dataFolder)
{
    TForm2 window(parent);
    if (!dataFolder.empty()) {
        window.SetDataFolder(dataFolder);
    }
    window.SetGame(handOver.Record);
    window.RecordFileName = handOver.RecordFileName;
    window.UpdateCaption();
    window.exec();
}

void ShowRecordInAnalysisWindow(QWidget* parent, const std::string& path, const std::string& dataFolder)
{
    TForm2 window(parent);
    if (!dataFolder.empty()) {
        window.SetDataFolder(dataFolder);
    }
    TPartialRecord read = ReadGameRecordAsFarAsPossible(path);
    if (read.Record.PositionRows.empty()) {
        read.Record = StartOnlyRecord();
    }
    window.SetGame(read.Record);
    window.RecordFileName = path;
    window.UpdateCaption();
    if (read.Error) {
        ShowErrorBox(parent, *read.Error);
    }
    window.exec();
}

} // namespace kalvoro::analysis
