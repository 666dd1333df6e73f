// The window program: the application, the main window, and the message loop.
#include "game/ComputerPlayer.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvoro"));
    InstallComputerPlayer();
    TForm1 form;
    form.show();
    return QApplication::exec();
}
