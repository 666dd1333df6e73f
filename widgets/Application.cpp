#include "Application.h"

#include <QApplication>
#include <QIcon>
#include <QPixmapCache>

namespace kalvoro::widgets {

namespace {

// The style keeps the pictures of buttons and frames under keys that include the widget's palette, and every
// dialog and analysis window made for one use gets a palette of its own, so those pictures are never found
// again once their window is gone. A small cache still serves the windows that are open and stops the
// program's memory from growing with every window it has opened (Qt's default is 10 MB).
constexpr int StylePictureCacheKb = 1024;

} // namespace

void SetUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Kalvoro"));
    // The installed desktop entry and icon carry this name.
    QApplication::setDesktopFileName(QStringLiteral("org.kalvoro.Kalvoro"));
    // The installed theme's icon, else the picture built into the program.
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral("org.kalvoro.Kalvoro"), QIcon(QStringLiteral(":/icons/org.kalvoro.Kalvoro.png"))));
    QPixmapCache::setCacheLimit(StylePictureCacheKb);
}

} // namespace kalvoro::widgets
