// The window program: the application, the main window and the message loop. One optional argument: the path
// of a game record to show in the analysis window alone.
#include "game/ComputerPlayer.h"
#include "records/FileLocations.h"
#include "ui/MainWindow.h"
#include "widgets/Application.h"

#include <QApplication>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    SetUpApplication();
    InstallComputerPlayer();
    const TFileLocations locations = FileLocationsOfThisProgram(argv[0]);
    const std::string recordPath = argc > 1 ? argv[1] : "";
    TForm1 form(locations, recordPath);
    form.show();
    return QApplication::exec();
}
