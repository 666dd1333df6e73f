// The window program: the application, the main window with the analysis window wired into it, and the
// message loop. One optional argument: the path of a game record to show in the analysis window alone.
#include "analysis/AnalysisWindow.h"
#include "game/ComputerPlayer.h"
#include "records/FileLocations.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvoro"));
    // The installed desktop entry and icon carry this name.
    QApplication::setDesktopFileName(QStringLiteral("org.kalvoro.Kalvoro"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.kalvoro.Kalvoro")));
    InstallComputerPlayer();
    const TFileLocations locations = FileLocationsOfThisProgram(argv[0]);
    const std::string recordPath = argc > 1 ? argv[1] : "";
    TForm1 form(locations, recordPath);
    const std::string dataFolder = locations.DataFolder;
    form.SetAnalysisOpeners({
        [dataFolder](QWidget* parent, const TAnalysisHandOver& handOver) {
            ShowAnalysisWindow(parent, handOver, dataFolder);
        },
        [dataFolder](QWidget* parent, const std::string& path) {
            ShowRecordInAnalysisWindow(parent, path, dataFolder);
        },
    });
    form.show();
    return QApplication::exec();
}
