// The main window's files: the settings read at creation and written at the end with the auto-save record,
// Save and Open through the file dialogs, the analysis window opened by Analyse and by a start with a record
// path, and where the files are kept.
#include "UiTestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextBrowser>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::analysis;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool Exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

// The key lines ("Size=30") of an INI text, in their order.
QStringList KeyLines(const std::string& text)
{
    QStringList keys;
    for (const QString& line :
        QString::fromStdString(text).split(QRegularExpression(QStringLiteral("\r?\n")))) {
        if (line.contains(QLatin1Char('=')) && !line.startsWith(QLatin1Char(';'))) {
            keys << line.trimmed();
        }
    }
    return keys;
}

// Plays the first legal square of the side to move with a click, as a player would.
void ClickFirstLegalSquare(TForm1& form)
{
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            if (IsLegalMove(x, y, Game.SideToMove)) {
                const int c = form.CellSize();
                QTest::mouseClick(
                    form.BoardView(), Qt::LeftButton, {}, { (x - 1) * c + c / 2, (y - 1) * c + c / 2 });
                return;
            }
        }
    }
}

TEST_F(TWindowTest, FirstRunTakesTheDefaultsAndWritesExactlyTheEightKeysAtExit)
{
    EXPECT_EQ(form->CellSize(), 30);
    EXPECT_TRUE(Item("Midium1")->isChecked());
    EXPECT_EQ(form->PauseTicks(), 5);
    EXPECT_TRUE(Item("Midium2")->isChecked());
    EXPECT_TRUE(form->ShowEval());
    EXPECT_EQ(form->Panel()->Combo1->currentText(), QStringLiteral("Human"));
    EXPECT_EQ(form->Panel()->Combo2->currentText(), QStringLiteral("Cow"));
    EXPECT_EQ(Game.LevelTable[CustomLevel], (TLevelRow { 14, 16, 9 }));
    ShowForm();
    EXPECT_TRUE(form->Panel()->BPts->isVisible());
    EXPECT_FALSE(Exists(PathIn("Kalvoro.Ini")));
    form->close();
    EXPECT_TRUE(script.errors.empty());
    const std::string ini = ReadText(PathIn("Kalvoro.Ini"));
    EXPECT_EQ(KeyLines(ini),
        QStringList({ QStringLiteral("Size=30"), QStringLiteral("Timer=5"), QStringLiteral("ShowEval=1"),
            QStringLiteral("BLevel=0"), QStringLiteral("WLevel=3"), QStringLiteral("Complete=14"),
            QStringLiteral("Fast=16"), QStringLiteral("Node=9") }));
    EXPECT_LT(ini.find("[Option]"), ini.find("[Game]"));
    EXPECT_LT(ini.find("[Game]"), ini.find("[Custom]"));
    // The auto-save holds the new game: its last index, one position line and the three comment lines.
    const std::string autoSave = ReadText(PathIn("$Kalv$.kvr"));
    EXPECT_EQ(autoSave.rfind("0\r\n4 21845 21845 21845 21653 22037 21845 21845 21845 0 \r\nDate : ", 0), 0U);
    EXPECT_NE(autoSave.find("\r\nBlack : Human\r\nWhite : Cow\r\n"), std::string::npos);
}

TEST_F(TWindowTest, AppliesAHandEditedSettingsFileAndKeepsWhatItDoesNotKnow)
{
    WriteText(PathIn("Kalvoro.Ini"),
        "; my settings\r\n[option]\r\nsize = "
        "0x2C\r\nTimer=3\r\nShowEval=0\r\nColour=blue\r\n[Game]\r\nBLevel=9\r\n"
        "WLevel=12\r\n[Other]\r\nx=1\r\n[Custom]\r\nComplete=40\r\n");
    form = MakeForm();
    EXPECT_EQ(form->CellSize(), 44);
    EXPECT_TRUE(Item("Big2")->isChecked());
    EXPECT_FALSE(Item("Midium1")->isChecked());
    EXPECT_EQ(form->ClientArea()->size(), QSize(443, 373));
    EXPECT_EQ(form->PauseTicks(), 5);
    EXPECT_TRUE(Item("Midium2")->isChecked());
    EXPECT_FALSE(form->ShowEval());
    EXPECT_FALSE(Item("ShowEval1")->isChecked());
    EXPECT_EQ(form->Panel()->Combo1->currentText(), QStringLiteral("Custom"));
    EXPECT_EQ(form->Panel()->Combo2->currentText(), QStringLiteral("Human"));
    EXPECT_EQ(Game.LevelTable[CustomLevel], (TLevelRow { 40, 16, 9 }));
    // Setting the players from the file starts no computer before the window is shown.
    EXPECT_EQ(Game.HistoryTop, 0);
    EXPECT_TRUE(Game.InputEnabled);
    form->close();
    const std::string ini = ReadText(PathIn("Kalvoro.Ini"));
    EXPECT_NE(ini.find("; my settings"), std::string::npos);
    EXPECT_NE(ini.find("Colour=blue"), std::string::npos);
    EXPECT_NE(ini.find("[Other]\r\nx=1"), std::string::npos);
    EXPECT_TRUE(KeyLines(ini).contains(QStringLiteral("Complete=40")));
    EXPECT_TRUE(KeyLines(ini).contains(QStringLiteral("ShowEval=0")));
    EXPECT_TRUE(KeyLines(ini).contains(QStringLiteral("WLevel=0")));
    EXPECT_TRUE(KeyLines(ini).contains(QStringLiteral("BLevel=9")));
}

TEST_F(TWindowTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheAutoSaveIsSkipped)
{
    // A folder in the settings file's place cannot be replaced, whoever runs the test.
    ASSERT_TRUE(std::filesystem::create_directory(PathIn("Kalvoro.Ini")));
    form = MakeForm();
    EXPECT_EQ(form->CellSize(), 30);
    ShowForm();
    form->close();
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(script.errors.size(), 1U);
    EXPECT_EQ(script.errors[0], PathIn("Kalvoro.Ini") + " に書き込めません\nIt is a folder, not a file.");
    EXPECT_FALSE(Exists(PathIn("$Kalv$.kvr")));
    // Closing once more writes and reports nothing again.
    form->close();
    EXPECT_EQ(script.errors.size(), 1U);
}

TEST_F(TWindowTest, SaveAndOpenGoOnFromTheLastPositionWithBothPlayersHuman)
{
    form->SetPlayerLevel(White, HumanLevel);
    Item("NoWait1")->trigger();
    ShowForm();
    for (int move = 0; move < 3; ++move) {
        ClickFirstLegalSquare(*form);
    }
    ASSERT_EQ(Game.HistoryTop, 3);
    const TBoard saved = Game.GameBoard;
    const std::string path = PathIn("game.KVR");
    script.savePath = path;
    Item("Save1")->trigger();
    EXPECT_TRUE(script.errors.empty());
    EXPECT_EQ(script.askedSaveFolder, folder.path().toStdString());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[01][0-9][0-3][0-9][0-2][0-9][0-5][0-9]\\.KVR$"))
                    .match(QString::fromStdString(script.askedSaveName))
                    .hasMatch())
        << script.askedSaveName;
    const std::string record = ReadText(path);
    EXPECT_EQ(record.rfind("3\r\n", 0), 0U);
    EXPECT_NE(record.find("\r\nBlack : Human\r\nWhite : Human\r\n"), std::string::npos);

    const QString blackLast = form->Panel()->Bloc->text();
    const QString whiteLast = form->Panel()->WLoc->text();
    ASSERT_FALSE(blackLast.isEmpty());
    ASSERT_FALSE(whiteLast.isEmpty());
    form->SetEvalLabel(White, "12");
    // A fresh board shows no last moves or scores of the game before.
    Item("New1")->trigger();
    EXPECT_EQ(form->Panel()->Bloc->text(), QString());
    EXPECT_EQ(form->Panel()->WLoc->text(), QString());
    EXPECT_EQ(form->Panel()->WPts->text(), QString());
    ClickFirstLegalSquare(*form);
    form->SetPlayerLevel(Black, 3);
    form->SetPlayerLevel(White, 3);
    script.openPath = path;
    Item("Open1")->trigger();
    EXPECT_TRUE(script.errors.empty());
    EXPECT_EQ(script.askedOpenName, "");
    EXPECT_EQ(Game.HistoryTop, 3);
    EXPECT_EQ(Game.GameBoard, saved);
    EXPECT_EQ(Game.SideToMove, White);
    EXPECT_EQ(form->Panel()->Combo1->currentText(), QStringLiteral("Human"));
    EXPECT_EQ(form->Panel()->Combo2->currentText(), QStringLiteral("Human"));
    int white = 0;
    for (const std::int16_t cell : saved) {
        white += cell == White ? 1 : 0;
    }
    EXPECT_EQ(form->Panel()->Label2->text(), QStringLiteral("White: %1").arg(white));
    // The last moves of the opened game, not of the game it replaced.
    EXPECT_EQ(form->Panel()->Bloc->text(), blackLast);
    EXPECT_EQ(form->Panel()->WLoc->text(), whiteLast);
    ClickFirstLegalSquare(*form);
    EXPECT_EQ(Game.HistoryTop, 4);
    EXPECT_EQ(Game.SideToMove, Black);
    // The open dialog offers the name chosen last.
    script.openPath.reset();
    Item("Open1")->trigger();
    EXPECT_EQ(script.askedOpenName, "game.KVR");
    EXPECT_EQ(Game.HistoryTop, 4);
}

TEST_F(TWindowTest, MovesGoThroughTheClipboardAndADroppedRecordOpens)
{
    form->SetPlayerLevel(White, HumanLevel);
    Item("NoWait1")->trigger();
    ShowForm();
    for (int move = 0; move < 3; ++move) {
        ClickFirstLegalSquare(*form);
    }
    Item("CopyMoves1")->trigger();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([a-h][1-8]){3}$")).match(copied).hasMatch())
        << copied.toStdString();
    EXPECT_EQ(Item("PasteMoves1")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));

    // A move that cannot be read or played is named with its number, and the game stays.
    const TGameState before = Game;
    for (const auto& [text, message] : { std::pair { "F5 D6 C9", "move 3, \"C9\", cannot be read" },
             std::pair { "1. f5 d6 2. f5", "move 3, \"f5\", cannot be played" } }) {
        QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
        Item("PasteMoves1")->trigger();
        ASSERT_FALSE(script.errors.empty());
        EXPECT_NE(script.errors.back().find(message), std::string::npos) << script.errors.back();
        EXPECT_EQ(Game.HistoryTop, before.HistoryTop);
        EXPECT_EQ(Game.GameBoard, before.GameBoard);
    }
    form->SetPlayerLevel(Black, 3);
    QGuiApplication::clipboard()->setText(QStringLiteral("F5, D6, C3, D3, C4"));
    Item("PasteMoves1")->trigger();
    EXPECT_EQ(script.errors.size(), 2U);
    EXPECT_EQ(Game.HistoryTop, 5);
    EXPECT_EQ(Game.SideToMove, White);
    EXPECT_EQ(form->Panel()->Combo1->currentText(), QStringLiteral("Human"));
    EXPECT_EQ(form->Panel()->Bloc->text(), QStringLiteral("c4"));
    EXPECT_EQ(form->Panel()->WLoc->text(), QStringLiteral("d3"));
    Item("CopyMoves1")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("f5d6c3d3c4"));
    form->BackBtnClick();
    EXPECT_EQ(Game.HistoryTop, 3);

    // A record dropped on the window opens as Open would.
    const std::string path = PathIn("dropped.kvr");
    script.savePath = path;
    Item("Save1")->trigger();
    Item("New1")->trigger();
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(QString::fromStdString(path)) });
    QDragEnterEvent enter({ 5, 5 }, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop({ 5, 5 }, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_EQ(Game.HistoryTop, 3);
    EXPECT_EQ(script.errors.size(), 2U);
}

TEST_F(TWindowTest, AFailedOpenShowsTheErrorAndChangesNothing)
{
    form->SetPlayerLevel(White, HumanLevel);
    Item("NoWait1")->trigger();
    ShowForm();
    ClickFirstLegalSquare(*form);
    form->SetPlayerLevel(White, 5);
    const TGameState before = Game;
    const std::string path = PathIn("broken.kvr");
    WriteText(path,
        "1\r\n4 21845 21845 21845 21653 22037 21845 21845 21845 65 \r\n1 21845 word 0 0 0 0 0 0 0 \r\n");
    script.openPath = path;
    Item("Open1")->trigger();
    ASSERT_EQ(script.errors.size(), 1U);
    EXPECT_NE(script.errors[0].find(path), std::string::npos) << script.errors[0];
    EXPECT_NE(script.errors[0].find("not a number"), std::string::npos) << script.errors[0];
    EXPECT_EQ(Game.HistoryTop, before.HistoryTop);
    EXPECT_EQ(Game.GameBoard, before.GameBoard);
    EXPECT_EQ(Game.SideToMove, before.SideToMove);
    for (int k = 0; k <= before.HistoryTop + 1; ++k) {
        EXPECT_EQ(Game.History[k].Move, before.History[k].Move);
        EXPECT_EQ(Game.History[k].Rows, before.History[k].Rows);
    }
    EXPECT_EQ(form->Panel()->Combo2->currentText(), QStringLiteral("Monkey"));
    // A missing file is reported the same way.
    script.openPath = PathIn("missing.kvr");
    Item("Open1")->trigger();
    ASSERT_EQ(script.errors.size(), 2U);
    EXPECT_NE(script.errors[1].find(PathIn("missing.kvr")), std::string::npos);
    EXPECT_EQ(Game.GameBoard, before.GameBoard);
}

TEST_F(TWindowTest, AFailedSaveIsReportedNamingTheFile)
{
    ShowForm();
    // The folder chosen in the dialog is gone by the time the record is written.
    const std::string gone = PathIn("gone/game.KVR");
    script.savePath = gone;
    Item("Save1")->trigger();
    ASSERT_EQ(script.errors.size(), 1U);
    EXPECT_NE(script.errors[0].find(gone), std::string::npos) << script.errors[0];
    EXPECT_FALSE(Exists(gone));
    // A folder in the record's place is left as it was.
    const std::string taken = PathIn("taken.KVR");
    ASSERT_TRUE(std::filesystem::create_directory(taken));
    script.savePath = taken;
    Item("Save1")->trigger();
    ASSERT_EQ(script.errors.size(), 2U);
    EXPECT_NE(script.errors[1].find(taken), std::string::npos) << script.errors[1];
    EXPECT_TRUE(std::filesystem::is_directory(taken));
}

TEST_F(TWindowTest, AnalyseShowsTheGameInProgressInTheAnalysisWindow)
{
    script.analysisFolder = folder.path().toStdString();
    form->SetPlayerLevel(White, HumanLevel);
    Item("NoWait1")->trigger();
    ShowForm();
    ClickFirstLegalSquare(*form);
    ClickFirstLegalSquare(*form);
    const TGameState before = Game;
    TModalCloser closer;
    Item("Analyse1")->trigger();
    ASSERT_EQ(closer.AnalysisWindows().size(), 1U);
    const TSeenDialog seen = closer.AnalysisWindows()[0];
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Kalvoro Analyse mode \\(\\d{8}\\.kvr\\)$"))
                    .match(seen.caption)
                    .hasMatch())
        << seen.caption.toStdString();
    ASSERT_EQ(seen.lines.size(), 3);
    EXPECT_EQ(seen.lines[0], QStringLiteral("[Start]"));
    EXPECT_EQ(seen.lines[1],
        QStringLiteral("[1] B  : ")
            + QString::fromStdString(SquareName(Game.History[1].Move / 10, Game.History[1].Move % 10)));
    EXPECT_TRUE(seen.lines[2].startsWith(QStringLiteral("[2] W : ")));
    EXPECT_TRUE(seen.memo.startsWith(QStringLiteral("Date : ")));
    EXPECT_TRUE(seen.memo.endsWith(QStringLiteral("\nBlack : Human\nWhite : Human")));
    EXPECT_EQ(Game.GameBoard, before.GameBoard);
    EXPECT_EQ(Game.HistoryTop, 2);
}

TEST_F(TWindowTest, TheEndOfAGameOpensTheFinishedGameInTheAnalysisWindow)
{
    script.analysisFolder = folder.path().toStdString();
    SetThinkFunction(FirstLegalSquare);
    form->SetPlayerLevel(Black, 1);
    form->SetPlayerLevel(White, 1);
    Item("NoWait1")->trigger();
    TModalCloser closer;
    ShowForm();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !closer.AnalysisWindows().empty(); }, 10000));
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(closer.AnalysisWindows().size(), 1U);
    // Every position of the finished game is a line of the list, after the result was shown.
    EXPECT_EQ(closer.AnalysisWindows()[0].lines.size(), Game.HistoryTop + 1);
    EXPECT_TRUE(closer.Messages().last().contains(QStringLiteral("won by"))
        || closer.Messages().last().contains(QStringLiteral("Draw")))
        << closer.Messages().last().toStdString();
}

TEST_F(TWindowTest, AStartWithARecordPathShowsItAloneAndWritesNothing)
{
    const std::string path = PathIn("start.kvr");
    WriteText(path,
        "1\r\n4 21845 21845 21845 21653 22037 21845 21845 21845 65 \r\n"
        "3 21845 21845 21845 21673 22005 21845 21845 21845 0 \r\nMy comment\r\n");
    // The player chosen for Black in the settings must not start playing in this run.
    WriteText(PathIn("Kalvoro.Ini"), "[Game]\r\nBLevel=3\r\n");
    const std::string settingsBefore = ReadText(PathIn("Kalvoro.Ini"));
    SetThinkFunction(FirstLegalSquare);
    form = MakeForm(path);
    script.analysisFolder = folder.path().toStdString();
    TModalCloser closer;
    form->show();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !closer.AnalysisWindows().empty() && !form->isVisible(); }, 3000));
    ASSERT_EQ(closer.AnalysisWindows().size(), 1U);
    const TSeenDialog seen = closer.AnalysisWindows()[0];
    EXPECT_EQ(seen.caption, QStringLiteral("Kalvoro Analyse mode (start.kvr)"));
    EXPECT_EQ(seen.lines, QStringList({ QStringLiteral("[Start]"), QStringLiteral("[1] B  : f5") }));
    EXPECT_EQ(seen.memo, QStringLiteral("My comment"));
    QApplication::processEvents();
    EXPECT_EQ(Game.HistoryTop, 0);
    EXPECT_TRUE(script.errors.empty());
    EXPECT_EQ(ReadText(PathIn("Kalvoro.Ini")), settingsBefore);
    EXPECT_FALSE(Exists(PathIn("$Kalv$.kvr")));
}

TEST_F(TWindowTest, AnInstalledProgramKeepsItsFilesInTheUsersFoldersAndTheHelpSaysWhere)
{
    const std::string config = PathIn("config/kalvoro");
    const std::string data = PathIn("data/kalvoro");
    form = MakeForm(TFileLocations { PathIn("bin"), config, data, false });
    ShowForm();
    script.savePath.reset();
    Item("Save1")->trigger();
    EXPECT_EQ(script.askedSaveFolder, data);
    EXPECT_TRUE(std::filesystem::is_directory(data));
    form->SetHelpFile(QStringLiteral(KALVORO_HELP_SOURCE));
    Item("Index1")->trigger();
    auto* viewer = form->findChild<QTextBrowser*>(QStringLiteral("HelpViewer"));
    ASSERT_NE(viewer, nullptr);
    const QString help = viewer->toPlainText();
    EXPECT_TRUE(help.startsWith(QStringLiteral("Settings: ") + QString::fromStdString(config)))
        << help.left(200).toStdString();
    EXPECT_TRUE(help.contains(QStringLiteral("Records: ") + QString::fromStdString(data)));
    EXPECT_TRUE(help.contains(QStringLiteral("Kalvoro is Reversi")));
    viewer->close();
    form->close();
    EXPECT_TRUE(script.errors.empty());
    EXPECT_TRUE(Exists(config + "/Kalvoro.Ini"));
    EXPECT_TRUE(Exists(data + "/$Kalv$.kvr"));
    EXPECT_FALSE(Exists(PathIn("bin")));
}

} // namespace
