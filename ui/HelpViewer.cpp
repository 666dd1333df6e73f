#include "HelpViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>

namespace {

constexpr int HelpWidth = 560;
constexpr int HelpHeight = 480;

// Puts `text` in a plain paragraph of its own before the first block of the document.
void InsertPreface(QTextDocument* document, const QString& text)
{
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::Start);
    const QTextBlockFormat first = cursor.blockFormat();
    cursor.insertBlock(first);
    cursor.movePosition(QTextCursor::Start);
    QTextBlockFormat plain;
    plain.setBottomMargin(8);
    cursor.setBlockFormat(plain);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    // Each line of the text becomes a line of the paragraph.
    cursor.insertText(QString(text).replace(QLatin1Char('\n'), QChar::LineSeparator), italic);
}

} // namespace

QString HelpFileFor(const QString& programFolder)
{
    const QDir folder(programFolder);
    const QString beside = folder.filePath(QStringLiteral("Kalvoro.hlp"));
    const QString installed
        = QDir::cleanPath(folder.filePath(QStringLiteral("../share/kalvoro/help/Kalvoro.html")));
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}

bool ShowHelp(QWidget* parent, const QString& path, const QString& topic, const QString& preface)
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
    if (!preface.isEmpty()) {
        InsertPreface(browser->document(), preface);
        browser->scrollToAnchor(topic);
    }
    browser->show();
    return true;
}
