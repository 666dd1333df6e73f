// The window program: the application, the main window, and the message loop.
#include "game/ComputerPlayer.h"
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
    TForm1 form;
    form.show();
    return QApplication::exec();
}
