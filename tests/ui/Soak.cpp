// Developer tool: a soak run of the real main window. Plays computer-against-computer games at "No Wait"
// (the levels rotate among Slime, Dog and Cow), and after each game saves it through the Save command, opens
// the record again through the Open command and exports it as a text sheet, in a scratch folder of its own.
// Every modal window the game flow opens (the pass and result dialogs, the analysis window at the end of each
// game) is closed as soon as it is open. Prints "games N rss_kb M" every ten games and a summary line at the
// end; exits 1 when a step failed or the resident memory grew by more than 10 % plus 2 MB over its value
// after game 10. Run it with scripts/soak.
//     kalvoro_soak [GAMES]
#include "analysis/AnalysisWindow.h"
#include "analysis/core/TextExport.h"
#include "game/ComputerPlayer.h"
#include "game/GameFlow.h"
#include "game/GameSave.h"
#include "records/AtomicFile.h"
#include "ui/MainDialogs.h"
#include "ui/MainWindow.h"
#include "widgets/Application.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::analysis;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

namespace {

constexpr int DefaultGames = 500;
constexpr int ReportEvery = 10;
constexpr long SlackKb = 2048;
constexpr long GrowthPercent = 10;

// What the soak counted: failed steps, moves played over all games, and the resident memory after game 10
// and at the last report.
struct TSoakTotals {
    int errors = 0;
    long moves = 0;
    long firstTenKb = 0;
    long lastKb = 0;
    // The pass and result dialogs and the analysis windows closed.
    long modalsClosed = 0;
};

// Answers the main window's dialogs with the record path of the soak; an error counts as a failure. The end
// of each game opens the real analysis window over the scratch folder.
class TSoakDialogs final : public IMainDialogs {
public:
    TSoakDialogs(std::string recordFile, std::string dataFolder, int& errorCount)
        : recordPath(std::move(recordFile))
        , folder(std::move(dataFolder))
        , errors(errorCount)
    {
    }
    std::optional<std::string> AskSavePath(const std::string&, const std::string&) override
    {
        return recordPath;
    }
    std::optional<std::string> AskOpenPath(const std::string&, const std::string&) override
    {
        return recordPath;
    }
    void ShowError(const std::string& message) override
    {
        std::cerr << "error: " << message << '\n';
        ++errors;
    }
    void ShowGameInAnalysis(const TAnalysisHandOver& handOver) override
    {
        ShowAnalysisWindow(nullptr, handOver, folder);
    }
    void ShowRecordInAnalysis(const std::string& path) override
    {
        ShowRecordInAnalysisWindow(nullptr, path, folder);
    }

private:
    std::string recordPath;
    std::string folder;
    int& errors;
};

// Closes the modal window that is open, a dialog as by its Ok button; false when none is open.
bool CloseActiveModal()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return false;
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->done(QDialog::Accepted);
    } else {
        modal->close();
    }
    return true;
}

long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
    }
    return 0;
}

bool SideCanMove(int colour)
{
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            if (IsLegalMove(x, y, colour)) {
                return true;
            }
        }
    }
    return false;
}

bool GameIsOver()
{
    return HistoryIsFull() || (!SideCanMove(Black) && !SideCanMove(White));
}

// One game from New to its end; false when the computer stopped before the end.
bool PlayOneGame(TForm1& form, int game)
{
    constexpr int levelCount = 3;
    form.SetPlayerLevel(Black, 1 + (game % levelCount));
    form.SetPlayerLevel(White, 1 + ((game / levelCount) % levelCount));
    form.New1Click();
    RunComputer();
    QApplication::processEvents();
    return GameIsOver();
}

// Save, Open and the text export of the finished game; false when a step did not do its work.
bool SaveOpenAndExport(TForm1& form, const std::string& recordPath, const std::string& sheetPath)
{
    const std::int32_t movesPlayed = Game.HistoryTop;
    form.Save1Click();
    const TGameRecord saved = ReadGameRecord(recordPath);
    form.Open1Click();
    if (Game.HistoryTop != movesPlayed || saved.LastIndex != movesPlayed) {
        return false;
    }
    const std::string sheet = TextSheet(saved);
    WriteFileAtomically(sheetPath, sheet, "Cannot export");
    return !sheet.empty() && ReadFileBounded(sheetPath, sheet.size()) == sheet;
}

// The soak itself: `games` games, each with its save, open and export, counted into `totals`.
void Soak(TForm1& form, int games, const QTemporaryDir& folder, TSoakTotals& totals)
{
    const std::string recordPath = folder.filePath(QStringLiteral("soak.kvr")).toStdString();
    const std::string sheetPath = folder.filePath(QStringLiteral("soak.txt")).toStdString();
    for (int game = 1; game <= games; ++game) {
        try {
            if (!PlayOneGame(form, game)) {
                std::cerr << "game " << game << " did not reach its end\n";
                ++totals.errors;
            }
            totals.moves += Game.HistoryTop;
            if (!SaveOpenAndExport(form, recordPath, sheetPath)) {
                std::cerr << "game " << game << ": save, open or export went wrong\n";
                ++totals.errors;
            }
        } catch (const TFileError& error) {
            std::cerr << "game " << game << ": " << error.what() << '\n';
            ++totals.errors;
        }
        if (game % ReportEvery == 0 || game == games) {
            totals.lastKb = ResidentKb();
            totals.firstTenKb = game == ReportEvery ? totals.lastKb : totals.firstTenKb;
            std::cout << "games " << game << " rss_kb " << totals.lastKb << std::endl;
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    SetUpApplication();
    const int games = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : DefaultGames;
    if (games < 1) {
        std::cerr << "usage: kalvoro_soak [GAMES]\n";
        return 2;
    }
    InstallComputerPlayer();
    const QTemporaryDir folder;
    const std::string path = folder.path().toStdString();
    TSoakTotals totals;
    auto dialogs = std::make_unique<TSoakDialogs>(
        folder.filePath(QStringLiteral("soak.kvr")).toStdString(), path, totals.errors);
    TForm1 form(TFileLocations { path, path, path, true }, {}, std::move(dialogs));
    form.findChild<QAction*>(QStringLiteral("NoWait1"))->trigger();
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(
        &closer, &QTimer::timeout, [&totals] { totals.modalsClosed += CloseActiveModal() ? 1 : 0; });
    closer.start();
    form.show();
    QApplication::processEvents();

    Soak(form, games, folder, totals);
    const long baseKb = totals.firstTenKb > 0 ? totals.firstTenKb : totals.lastKb;
    const long allowedKb = baseKb + baseKb * GrowthPercent / 100 + SlackKb;
    const bool grew = totals.lastKb > allowedKb;
    std::cout << "summary games " << games << " moves " << totals.moves << " errors " << totals.errors
              << " windows_closed " << totals.modalsClosed << " rss_kb_after_10 " << baseKb << " rss_kb_last "
              << totals.lastKb << " allowed_kb " << allowedKb << (grew ? " GREW" : " ok") << std::endl;
    return totals.errors > 0 || grew ? 1 : 0;
}
