// The window program: the application, the main window and the message loop. One optional argument: the path
// of a game record to show in the analysis window alone.
#include "game/ComputerPlayer.h"
#include "records/FileLocations.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QIcon>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvoro"));
    // The installed desktop entry and icon carry this name.
    QApplication::setDesktopFileName(QStringLiteral("org.kalvoro.Kalvoro"));
    // The installed theme's icon, else the picture built into the program.
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral("org.kalvoro.Kalvoro"), QIcon(QStringLiteral(":/icons/org.kalvoro.Kalvoro.png"))));
    InstallComputerPlayer();
    const TFileLocations locations = FileLocationsOfThisProgram(argv[0]);
    const std::string recordPath = argc > 1 ? argv[1] : "";
    TForm1 form(locations, recordPath);
    form.show();
    return QApplication::exec();
}
