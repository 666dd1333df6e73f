#include "analysis/AnalysisWindow.h"

#include "TestRecords.h"
#include "analysis/core/BestMove.h"
#include "analysis/core/TextExport.h"
#include "records/AtomicFile.h"
#include "support/ScriptedUser.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

using testrecords::RecordOfMoves;

namespace {

class AnalysisWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApplication();
        ASSERT_TRUE(folder.isValid());
        window = std::make_unique<TForm2>(nullptr, std::make_unique<TScriptedDialogs>(script));
        window->SetDataFolder(Folder());
    }
    void Show(const TGameRecord& record)
    {
        window->SetGame(record);
        window->RecordFileName = "12071530.kvr";
        window->UpdateCaption();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    std::string Folder() const { return folder.path().toStdString(); }
    std::string InTemp(const std::string& name) const { return Folder() + "/" + name; }
    // The window as shown; saved as a PNG into $KALVORO_SHEET_PNG when that is set, to be looked at.
    QImage Picture() const
    {
        QImage image = window->grab().toImage();
        if (const char* shots = std::getenv("KALVORO_SHEET_PNG")) {
            image.save(
                QString::fromLocal8Bit(shots) + QStringLiteral("/window-%1.png").arg(window->CurrentIndex));
        }
        return image;
    }
    void Select(int row)
    {
        window->List1->setCurrentRow(row);
        QApplication::processEvents();
    }

    QTemporaryDir folder;
    TDialogScript script;
    std::unique_ptr<TForm2> window;
};

// f5 d6 c3, a pass by White, then Black's c4... any legal move: the first in scan order.
TGameRecord GameWithPass()
{
    TGameRecord start = RecordOfMoves({ 65, 46, 33, 0 });
    const TBoard board = UnpackPosition(start, 4);
    const TSquareList empties = BuildEmptyList(board);
    for (int k = 0; k < empties.count; ++k) {
        if (CanFlip(board, empties.squares[k].x, empties.squares[k].y, Black)) {
            return RecordOfMoves({ 65, 46, 33, 0, MoveCode(empties.squares[k].x, empties.squares[k].y) },
                { "Date : today", "Black : Human", "White : Cow" });
        }
    }
    return start;
}

// The centre of square (x, y) of the position board and of the move-number board.
QPoint PositionSquare(int x, int y)
{
    return { 115 + 29 * x, 29 * y + 7 };
}
QPoint NumberSquare(int x, int y)
{
    return { 367 + 29 * x, 29 * y + 7 };
}

} // namespace

TEST_F(AnalysisWindow, ListsTheMovesAndNavigatesByKeyboard)
{
    Show(GameWithPass());
    EXPECT_EQ(window->windowTitle(), "Kalvoro Analyse mode (12071530.kvr)");
    ASSERT_EQ(window->List1->count(), 6);
    EXPECT_EQ(window->List1->item(0)->text(), "[Start]");
    EXPECT_EQ(window->List1->item(1)->text(), "[1] B  : f5");
    EXPECT_EQ(window->List1->item(4)->text(), "[3] W : Pass");
    EXPECT_EQ(window->CurrentIndex, 0);
    window->List1->setFocus();
    QTest::keyClick(window->List1, Qt::Key_Down);
    QTest::keyClick(window->List1, Qt::Key_Down);
    EXPECT_EQ(window->CurrentIndex, 2);
    EXPECT_EQ(window->ShownBoard, UnpackPosition(window->CurrentRecord(), 2));
    QTest::keyClick(window->List1, Qt::Key_End);
    EXPECT_EQ(window->CurrentIndex, 5);
    QTest::keyClick(window->List1, Qt::Key_Up);
    EXPECT_EQ(window->CurrentIndex, 4);
    EXPECT_EQ(window->ShownBoard, UnpackPosition(window->CurrentRecord(), 3))
        << "a pass shows the same discs";
    QTest::keyClick(window->List1, Qt::Key_Home);
    EXPECT_EQ(window->CurrentIndex, 0);
    EXPECT_EQ(window->ShownBoard, InitialBoard());
}

TEST_F(AnalysisWindow, PaintsDiscsTheLastMoveDotAndTheNextMoveMark)
{
    Show(GameWithPass());
    QImage picture = Picture();
    EXPECT_EQ(picture.pixelColor(PositionSquare(4, 4)), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(PositionSquare(5, 4)), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(PositionSquare(1, 1)), QColor(0, 128, 0));
    // Position 0: the black next-move mark on f5, no last-move dot.
    EXPECT_EQ(picture.pixelColor(115 + 29 * 6, 7 + 29 * 5), QColor(Qt::black));
    Select(1);
    picture = Picture();
    EXPECT_EQ(picture.pixelColor(115 + 29 * 6, 7 + 29 * 5), QColor(0, 255, 0)) << "lime dot on f5";
    EXPECT_EQ(picture.pixelColor(115 + 29 * 4, 7 + 29 * 6), QColor(Qt::white)) << "White's mark on d6";
    Select(4);
    picture = Picture();
    EXPECT_NE(picture.pixelColor(115 + 29 * 3, 7 + 29 * 3), QColor(0, 255, 0)) << "no dot after a pass";
    // The move-number board: d6 is White's 2, f5 Black's 1 (a number in the middle of the disc's left half).
    EXPECT_EQ(picture.pixelColor(NumberSquare(4, 6) + QPoint(-8, 0)), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(NumberSquare(6, 5) + QPoint(-8, 0)), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(NumberSquare(1, 1)), QColor(0, 128, 0));
}

TEST_F(AnalysisWindow, EnablesTheBestMoveButtonOnlyForSmallEndgames)
{
    const std::vector<int> moves = testrecords::RandomGameMoves(11);
    Show(RecordOfMoves(moves));
    const TGameRecord record = window->CurrentRecord();
    EXPECT_FALSE(window->HintBtn->isEnabled()) << "disabled when the window opens";
    int checked = 0;
    for (int i = 0; i <= record.LastIndex; ++i) {
        const int empties = CountEmpties(UnpackPosition(record, i));
        if (empties == 15 || empties == 14 || empties == 1 || StoredMove(record, i) == 0) {
            Select(i);
            EXPECT_EQ(window->HintBtn->isEnabled(), empties == 14 && StoredMove(record, i) != 0)
                << "position " << i;
            ++checked;
        }
    }
    EXPECT_GE(checked, 3);
    for (int i = 0; i <= record.LastIndex; ++i) {
        if (CountEmpties(UnpackPosition(record, i)) == 6 && StoredMove(record, i) != 0) {
            Select(i);
            ASSERT_TRUE(window->HintBtn->isEnabled());
            QTest::mouseClick(window->HintBtn, Qt::LeftButton);
            ASSERT_EQ(script.reports.size(), 1U);
            EXPECT_EQ(
                script.reports[0], BestMoveReport(AnalyseBestMove(window->ShownBoard, SideToMoveAt(i))));
            EXPECT_EQ(window->CurrentIndex, i) << "the shown position stays";
            break;
        }
    }
}

TEST_F(AnalysisWindow, SavesTheGameWithTheMemoAndOpensItAgain)
{
    Show(GameWithPass());
    window->Memo1->appendPlainText(QStringLiteral("A fine pass"));
    script.savePath = InTemp("saved.kvr");
    QTest::mouseClick(window->SaveBtn, Qt::LeftButton);
    EXPECT_EQ(script.askedSaveName, "12071530.kvr");
    EXPECT_EQ(script.askedSaveFolder, Folder()) << "a bare name starts in the data folder";
    EXPECT_EQ(window->windowTitle(), "Kalvoro Analyse mode (saved.kvr)");
    const TGameRecord saved = ReadGameRecord(InTemp("saved.kvr"));
    EXPECT_EQ(saved.PositionRows, GameWithPass().PositionRows);
    EXPECT_EQ(saved.Comments,
        (std::vector<std::string> { "Date : today", "Black : Human", "White : Cow", "A fine pass" }));

    TForm2 other(nullptr, std::make_unique<TScriptedDialogs>(script));
    script.openPath = InTemp("saved.kvr");
    other.show();
    QTest::mouseClick(other.OpenBtn, Qt::LeftButton);
    EXPECT_TRUE(script.errors.empty());
    EXPECT_EQ(other.CurrentRecord(), saved);
    EXPECT_EQ(other.List1->count(), 6);
    EXPECT_EQ(other.CurrentIndex, 0);
    EXPECT_EQ(other.windowTitle(), "Kalvoro Analyse mode (saved.kvr)");
}

TEST_F(AnalysisWindow, CtrlCInTheListCopiesTheMovesAndADroppedRecordOpens)
{
    Show(GameWithPass());
    const std::string fifth = MoveCodeName(GameWithPass().PositionRows[4][9]);
    QApplication::clipboard()->clear();
    window->List1->setFocus();
    QTest::keySequence(window->List1, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "f5d6c3" + fifth);
    // Elsewhere Ctrl+C keeps its meaning: the memo copies its selected text.
    window->Memo1->setFocus();
    window->Memo1->selectAll();
    QTest::keySequence(window->Memo1, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), window->Memo1->toPlainText());

    const std::string path = InTemp("dropped.KVR");
    SaveGameRecord(path, RecordOfMoves({ 65 }, { "Dropped" }));
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(QString::fromStdString(path)) });
    for (QWidget* target : { static_cast<QWidget*>(window.get()), window->Memo1->viewport() }) {
        Select(2);
        QDragEnterEvent enter({ 5, 5 }, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop({ 5, 5 }, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        EXPECT_EQ(window->List1->count(), 2);
        EXPECT_EQ(window->CurrentIndex, 0);
        EXPECT_EQ(window->Memo1->toPlainText(), QStringLiteral("Dropped"));
        EXPECT_EQ(window->windowTitle(), "Kalvoro Analyse mode (dropped.KVR)");
        window->SetGame(GameWithPass());
        window->FormShow();
    }
    QMimeData text;
    text.setText(QStringLiteral("f5"));
    QDragEnterEvent other({ 5, 5 }, Qt::CopyAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &other);
    EXPECT_FALSE(other.isAccepted());
}

TEST_F(AnalysisWindow, AFailedOpenChangesNothing)
{
    Show(GameWithPass());
    Select(3);
    const TGameRecord before = window->CurrentRecord();
    WriteFileAtomically(InTemp("word.kvr"), "1\r\n4 21845 x 21845\r\n", "Cannot save");
    WriteFileAtomically(InTemp("big.kvr"), "200\r\n", "Cannot save");
    for (const std::string name : { "word.kvr", "big.kvr", "missing.kvr" }) {
        script.openPath = InTemp(name);
        QTest::mouseClick(window->OpenBtn, Qt::LeftButton);
        EXPECT_EQ(script.errors.size(), name == "word.kvr" ? 1U : name == "big.kvr" ? 2U : 3U);
        EXPECT_NE(script.errors.back().find(name), std::string::npos) << script.errors.back();
        EXPECT_EQ(window->CurrentRecord(), before);
        EXPECT_EQ(window->CurrentIndex, 3);
        EXPECT_EQ(window->windowTitle(), "Kalvoro Analyse mode (12071530.kvr)");
    }
    script.openPath.reset();
    QTest::mouseClick(window->OpenBtn, Qt::LeftButton);
    EXPECT_EQ(window->CurrentRecord(), before) << "cancelling changes nothing";
}

TEST_F(AnalysisWindow, AFailedSaveIsReportedAndKeepsTheOldFile)
{
    Show(GameWithPass());
    script.savePath = InTemp("no such folder/game.kvr");
    QTest::mouseClick(window->SaveBtn, Qt::LeftButton);
    ASSERT_EQ(script.errors.size(), 1U);
    EXPECT_NE(script.errors[0].find("game.kvr"), std::string::npos);
}

TEST_F(AnalysisWindow, PrintToFileExportsTheTextAndOffersToOpenIt)
{
    Show(GameWithPass());
    Select(3);
    script.printChoice = TPrintChoice::PrintToFile;
    script.confirm = true;
    QTest::mouseClick(window->PrintBtn, Qt::LeftButton);
    const std::string path = InTemp("Kalvoro.txt");
    EXPECT_EQ(ReadFileBounded(path, 1 << 20), TextSheet(window->CurrentRecord()));
    ASSERT_EQ(script.confirmations.size(), 1U);
    EXPECT_EQ(script.confirmations[0], "\"" + path + "\"\r\twas published. Open now ?");
    EXPECT_EQ(script.openedDocuments, std::vector<std::string> { path });
    EXPECT_EQ(window->CurrentIndex, 0) << "back at the start";

    script.confirm = false;
    QTest::mouseClick(window->PrintBtn, Qt::LeftButton);
    EXPECT_EQ(script.confirmations.size(), 2U);
    EXPECT_EQ(script.openedDocuments.size(), 1U) << "Cancel opens nothing";
}

TEST_F(AnalysisWindow, AFailedExportShowsTheErrorAndNoQuestion)
{
    Show(GameWithPass());
    Select(2);
    WriteFileAtomically(InTemp("a file"), "not a folder", "Cannot save");
    window->SetDataFolder(InTemp("a file"));
    script.printChoice = TPrintChoice::PrintToFile;
    QTest::mouseClick(window->PrintBtn, Qt::LeftButton);
    ASSERT_EQ(script.errors.size(), 1U);
    EXPECT_NE(script.errors[0].find("a file"), std::string::npos) << script.errors[0];
    EXPECT_TRUE(script.confirmations.empty());
    EXPECT_EQ(window->CurrentIndex, 2);
}

TEST_F(AnalysisWindow, PrintsTheSheetAndReturnsToTheStart)
{
    Show(GameWithPass());
    Select(4);
    script.printChoice = TPrintChoice::Print;
    script.printFile = InTemp("sheet.pdf");
    QTest::mouseClick(window->PrintBtn, Qt::LeftButton);
    EXPECT_TRUE(script.errors.empty());
    const std::string pdf = ReadFileBounded(script.printFile, 1 << 24);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    // One page, holding the sheet's text in its two fonts (the memo's and Arial).
    const auto occurrences = [&pdf](const std::string& text) {
        int count = 0;
        for (std::size_t at = pdf.find(text); at != std::string::npos; at = pdf.find(text, at + 1)) {
            ++count;
        }
        return count;
    };
    EXPECT_EQ(occurrences("/Type /Page\n"), 1);
    EXPECT_EQ(occurrences("/Count 1\n"), 1);
    EXPECT_GE(occurrences("/FontFile"), 2);
    EXPECT_EQ(window->CurrentIndex, 0);
    script.printChoice = TPrintChoice::Cancelled;
    Select(2);
    QTest::mouseClick(window->PrintBtn, Qt::LeftButton);
    EXPECT_EQ(window->CurrentIndex, 2) << "cancelling the print dialog changes nothing";
}

TEST(PrintDialog, OnlyItsOwnTickBoxLeadsToTheTextExport)
{
    TestApplication();
    TStandardDialogs dialogs(nullptr);
    for (const bool tick : { true, false }) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/tmp/never-written.pdf"));
        bool seen = false;
        QTimer::singleShot(50, [&seen, tick] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("PrintToTextFile"));
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), QStringLiteral("Print to file (text)"));
            EXPECT_FALSE(box->isChecked());
            box->setChecked(tick);
            seen = true;
            dialog->accept();
        });
        EXPECT_EQ(dialogs.ChoosePrinter(printer), tick ? TPrintChoice::PrintToFile : TPrintChoice::Print);
        EXPECT_TRUE(seen);
    }
}

TEST_F(AnalysisWindow, APrinterThatCannotStartIsReported)
{
    Show(GameWithPass());
    script.printChoice = TPrintChoice::Print;
    script.printFile = InTemp("no such folder/sheet.pdf");
    QTest::mouseClick(window->PrintBtn, Qt::LeftButton);
    EXPECT_EQ(script.errors.size(), 1U);
}

TEST_F(AnalysisWindow, MemoLinesKeepEmptyLinesAndAnEmptyMemoHasNone)
{
    Show(RecordOfMoves({ 65 }, { "one", "", "" }));
    EXPECT_EQ(window->MemoLines(), (std::vector<std::string> { "one", "", "" }));
    window->SetGame(RecordOfMoves({ 65 }));
    EXPECT_TRUE(window->MemoLines().empty());
}

TEST_F(AnalysisWindow, CommentLinesKeepTheirBytesThroughSaveAndExportAndEditedLinesAreUtf8)
{
    const std::vector<std::string> odd { "Date : caf\xE9", "\x82\xA0\x82\xA2 Shift-JIS",
        std::string("nul\0byte", 8), "tab\there", "trailing  ", "bad \xC3\x28 utf",
        std::string("no\xC2\xA0") + "break", std::string("\xEF\xBB\xBF") + "bom", "\xE2\x80\xA8sep", "" };
    Show(RecordOfMoves({ 65 }, odd));
    EXPECT_EQ(window->Memo1->blockCount(), static_cast<int>(odd.size()));
    EXPECT_EQ(window->MemoLines(), odd);
    EXPECT_EQ(window->Memo1->document()->findBlockByNumber(0).text(), QStringLiteral("Date : caf\u00E9"));

    // Edit the tab line and add a line: only those two are written anew, as UTF-8.
    QTextCursor cursor(window->Memo1->document()->findBlockByNumber(3));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral("\u00E9"));
    window->Memo1->appendPlainText(QStringLiteral("\u00E9\u00A0end"));
    std::vector<std::string> expected = odd;
    expected[3] += "\xC3\xA9";
    expected.emplace_back(std::string("\xC3\xA9\xC2\xA0") + "end");

    script.savePath = InTemp("odd.kvr");
    QTest::mouseClick(window->SaveBtn, Qt::LeftButton);
    EXPECT_EQ(ReadGameRecord(InTemp("odd.kvr")).Comments, expected);
    script.printChoice = TPrintChoice::PrintToFile;
    QTest::mouseClick(window->PrintBtn, Qt::LeftButton);
    const std::string exported = ReadFileBounded(InTemp("Kalvoro.txt"), 1 << 20);
    std::string memoPart;
    for (const std::string& line : expected) {
        memoPart += line + "\r\n";
    }
    EXPECT_TRUE(exported.starts_with(memoPart));

    // Opened again, the lines read back unchanged.
    script.openPath = InTemp("odd.kvr");
    QTest::mouseClick(window->OpenBtn, Qt::LeftButton);
    EXPECT_EQ(window->MemoLines(), expected);
}

TEST_F(AnalysisWindow, AHugeMemoShowsABoundedPartAndSavesEveryLineWhole)
{
    std::vector<std::string> huge { std::string(3 * 1024 * 1024, 'x') + "\xE9" };
    huge.resize(200000, "");
    huge.back() = "last";
    Show(RecordOfMoves({ 65 }, huge));
    const QTextDocument* memo = window->Memo1->document();
    EXPECT_EQ(memo->blockCount(), static_cast<int>(MaxShownCommentLines));
    EXPECT_EQ(
        memo->firstBlock().text(), QString(MaxShownLineLength, QLatin1Char('x')) + QStringLiteral("..."));
    EXPECT_LE(memo->characterCount(), static_cast<int>(MaxShownCommentLines + MaxShownLineLength + 4));
    window->Memo1->appendPlainText(QStringLiteral("typed"));
    std::vector<std::string> expected = huge;
    expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(MaxShownCommentLines), "typed");
    EXPECT_EQ(window->MemoLines(), expected);
}

TEST_F(AnalysisWindow, TheExportCreatesAMissingDataFolder)
{
    Show(RecordOfMoves({ 65 }));
    window->SetDataFolder(InTemp("data/kalvoro"));
    script.printChoice = TPrintChoice::PrintToFile;
    QTest::mouseClick(window->PrintBtn, Qt::LeftButton);
    EXPECT_TRUE(script.errors.empty());
    EXPECT_EQ(
        ReadFileBounded(InTemp("data/kalvoro/Kalvoro.txt"), 1 << 20), TextSheet(window->CurrentRecord()));
}

namespace {

QStringList Lines(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines) {
        list << QString::fromStdString(line);
    }
    return list;
}

// The number of list lines of the last analysis window closed, 0 when none was.
qsizetype LastListLines(const TModalCloser& closer)
{
    const std::vector<TSeenDialog> windows = closer.AnalysisWindows();
    return windows.empty() ? 0 : windows.back().lines.size();
}

} // namespace

TEST_F(AnalysisWindow, OpensModallyOnTheHandedOverGame)
{
    TModalCloser closer;
    ShowAnalysisWindow(nullptr, { GameWithPass(), "12071530.kvr" });
    EXPECT_EQ(closer.Captions(), QStringList { "Kalvoro Analyse mode (12071530.kvr)" });
    EXPECT_EQ(LastListLines(closer), 6);
    ASSERT_EQ(closer.AnalysisWindows().size(), 1U);
    EXPECT_EQ(closer.AnalysisWindows().back().memo.split(QLatin1Char('\n')), Lines(GameWithPass().Comments));
}

TEST_F(AnalysisWindow, ARecordPathShowsTheRecordAfterNamingItsError)
{
    TModalCloser closer;
    SaveGameRecord(InTemp("good.kvr"), GameWithPass());
    ShowRecordInAnalysisWindow(nullptr, InTemp("good.kvr"));
    EXPECT_EQ(closer.Captions(), QStringList { "Kalvoro Analyse mode (good.kvr)" });
    EXPECT_EQ(LastListLines(closer), 6);
    WriteFileAtomically(InTemp("bad.kvr"),
        "2\r\n4 21845 21845 21845 21653 22037 21845 21845 21845 65 \r\nx\r\n", "Cannot save");
    closer.seen.clear();
    ShowRecordInAnalysisWindow(nullptr, InTemp("bad.kvr"));
    ASSERT_EQ(closer.Captions().size(), 2);
    EXPECT_EQ(closer.Captions()[1], "Kalvoro Analyse mode (bad.kvr)");
    EXPECT_EQ(LastListLines(closer), 3) << "the lines read before the error";
    closer.seen.clear();
    ShowRecordInAnalysisWindow(nullptr, InTemp("missing.kvr"));
    ASSERT_EQ(closer.Captions().size(), 2);
    EXPECT_EQ(LastListLines(closer), 1) << "the start position when nothing could be read";
}
