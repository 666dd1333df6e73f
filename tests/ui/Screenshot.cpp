// Developer tool: plays Black's moves given on the command line (as square names) in the real main window
// against the computer at "Cow", and saves a picture of the window, for the documentation and for looking at
// the board by eye. Squares that are not legal when their turn comes are skipped.
//     kalvoro_screenshot FILE.png [CELLSIZE] [f5 c3 ...]
// docs/images/main-window.png was made offscreen with
//     kalvoro_screenshot main-window.png 38 f5 c3 c4 f6 e6 d7 b6 e3 f4 g5 c6 b4 f3 g4 e7 c5 d3
#include "game/ComputerPlayer.h"
#include "game/GameFlow.h"
#include "ui/MainWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QTemporaryDir>

#include <iostream>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

namespace {

void PlaySquareName(const QString& name)
{
    if (name.size() != 2) {
        return;
    }
    const int x = name[0].toLatin1() - 'a' + 1;
    const int y = name[1].toLatin1() - '0';
    if (x >= 1 && x <= 8 && y >= 1 && y <= 8 && IsLegalMove(x, y, Game.SideToMove)) {
        PlayMove(x, y);
        RunComputer();
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: kalvoro_screenshot FILE.png [CELLSIZE] [moves...]\n";
        return 2;
    }
    InstallComputerPlayer();
    // A folder of its own, so that no settings file of an earlier run changes the picture.
    const QTemporaryDir folder;
    const std::string path = folder.path().toStdString();
    TForm1 form(TFileLocations { path, path, path, true });
    form.findChild<QAction*>(QStringLiteral("NoWait1"))->trigger();
    int next = 2;
    if (argc > 2 && QString::fromLocal8Bit(argv[2]).toInt() > 0) {
        const int size = QString::fromLocal8Bit(argv[2]).toInt();
        for (QAction* item : form.findChildren<QAction*>()) {
            if (item->isCheckable() && item->data().toInt() == size && item->actionGroup() != nullptr
                && item->objectName() != QStringLiteral("Midium2")) {
                item->trigger();
            }
        }
        next = 3;
    }
    form.show();
    for (int i = next; i < argc; ++i) {
        PlaySquareName(QString::fromLocal8Bit(argv[i]));
    }
    QApplication::processEvents();
    QImage picture = form.grab().toImage();
    // KALVORO_SHOT_ZOOM=n enlarges every pixel n times, to inspect the drawing by eye.
    const int zoom = qEnvironmentVariableIntValue("KALVORO_SHOT_ZOOM");
    if (zoom > 1) {
        picture = picture.scaled(picture.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    const bool saved = picture.save(QString::fromLocal8Bit(argv[1]));
    return saved ? 0 : 1;
}
