#include "AnalysisDialogs.h"

#include "ui/MainDialogs.h"
#include "ui/ResultDialog.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace {

QString FromLocal(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

TStandardDialogs::TStandardDialogs(QWidget* parentWindow)
    : parent(parentWindow)
{
}

std::optional<std::string> TStandardDialogs::AskSavePath(const std::string& folder, const std::string& name)
{
    return AskRecordSavePath(parent, folder, name);
}

std::optional<std::string> TStandardDialogs::AskOpenPath(const std::string& folder)
{
    return AskRecordOpenPath(parent, folder, {});
}

TPrintChoice TStandardDialogs::ChoosePrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) {
        return TPrintChoice::Cancelled;
    }
    return printer.outputFileName().isEmpty() ? TPrintChoice::Print : TPrintChoice::PrintToFile;
}

void TStandardDialogs::ShowError(const std::string& message)
{
    ShowErrorBox(parent, message);
}

bool TStandardDialogs::Confirm(const std::string& text)
{
    return QMessageBox::question(parent, QStringLiteral("Kalvoro"), FromLocal(text),
               QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        == QMessageBox::Ok;
}

void TStandardDialogs::OpenDocument(const std::string& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(FromLocal(path)));
}

void TStandardDialogs::ShowBestMove(const std::array<std::string, 3>& lines)
{
    ShowForm4(
        parent, QStringLiteral("Result"), FromLocal(lines[0]), FromLocal(lines[1]), FromLocal(lines[2]));
}
