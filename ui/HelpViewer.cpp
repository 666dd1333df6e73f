#include "HelpViewer.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

namespace kalvoro::ui {

namespace {

constexpr int HelpWidth = 560;
constexpr int HelpHeight = 480;

// The first block that holds the anchor `name`, or the document's first block.
QTextBlock BlockOfAnchor(const QTextDocument* document, const QString& name)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorNames().contains(name)) {
                return block;
            }
        }
    }
    return document->begin();
}

// Puts `text` in a plain paragraph of its own just before the topic, and makes it the topic's first anchor,
// so that the window opened at the topic shows it on top.
void InsertPreface(QTextDocument* document, const QString& topic, const QString& text)
{
    QTextCursor cursor(BlockOfAnchor(document, topic));
    const QTextBlockFormat topicFormat = cursor.blockFormat();
    cursor.insertBlock(topicFormat);
    cursor.movePosition(QTextCursor::PreviousBlock);
    QTextBlockFormat plain;
    plain.setBottomMargin(8);
    cursor.setBlockFormat(plain);
    QTextCharFormat format;
    format.setFontItalic(true);
    format.setAnchor(true);
    format.setAnchorNames({ topic });
    // Each line of the text becomes a line of the paragraph.
    cursor.insertText(QString(text).replace(QLatin1Char('\n'), QChar::LineSeparator), format);
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
    // A modeless dialog, so that Escape closes it as well as its Close button.
    auto* window = new QDialog(parent, Qt::Window);
    window->setObjectName(QStringLiteral("HelpWindow"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Closing the main window ends the program even while the help is open.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setWindowTitle(QStringLiteral("Kalvoro Help"));
    window->resize(HelpWidth, HelpHeight);
    auto* browser = new QTextBrowser(window);
    browser->setAttribute(Qt::WA_QuitOnClose, false);
    browser->setObjectName(QStringLiteral("HelpViewer"));
    browser->setOpenExternalLinks(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::reject);
    QObject::connect(window, &QDialog::finished, window, &QObject::deleteLater);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(browser);
    layout->addWidget(buttons);
    QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    url.setFragment(topic);
    browser->setSource(url, QTextDocument::HtmlResource);
    if (!preface.isEmpty()) {
        InsertPreface(browser->document(), topic, preface);
        browser->scrollToAnchor(topic);
    }
    window->show();
    browser->setFocus();
    return true;
}

} // namespace kalvoro::ui
