#include "HelpViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextBrowser>
#include <QUrl>

namespace {

constexpr int HelpWidth = 560;
constexpr int HelpHeight = 480;

} // namespace

QString HelpFileFor(const QString& programFolder)
{
    const QDir folder(programFolder);
    const QString beside = folder.filePath(QStringLiteral("Kalvoro.hlp"));
    const QString installed
        = QDir::cleanPath(folder.filePath(QStringLiteral("../share/kalvoro/help/Kalvoro.html")));
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}

bool ShowHelp(QWidget* parent, const QString& path, const QString& topic)
{
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        QMessageBox::warning(parent, QStringLiteral("Kalvoro"),
            QStringLiteral("The help file %1 cannot be opened.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    auto* browser = new QTextBrowser(parent);
    browser->setWindowFlag(Qt::Window);
    browser->setAttribute(Qt::WA_DeleteOnClose);
    // Closing the main window ends the program even while the help is open.
    browser->setAttribute(Qt::WA_QuitOnClose, false);
    browser->setObjectName(QStringLiteral("HelpViewer"));
    browser->setWindowTitle(QStringLiteral("Kalvoro Help"));
    browser->resize(HelpWidth, HelpHeight);
    browser->setOpenExternalLinks(true);
    QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    url.setFragment(topic);
    browser->setSource(url, QTextDocument::HtmlResource);
    browser->show();
    return true;
}
