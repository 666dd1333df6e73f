#include "AnalysisDialogs.h"

#include "ui/ResultDialog.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace {

// Records are matched in either case: the window offers "mmddhhnn.kvr", the main window "mmddhhnn.KVR".
const QString RecordFilter = QStringLiteral("Kalvoro Files(*.KVR *.kvr);;All Files(*.*)");

QString FromLocal(const std::string& text)
{
    return QString::fromStdString(text);
}

void SetUpRecordDialog(QFileDialog& dialog, const std::string& folder)
{
    dialog.setNameFilter(RecordFilter);
    dialog.setNameFilters(RecordFilter.split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(QStringLiteral("KVR"));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!folder.empty()) {
        dialog.setDirectory(FromLocal(folder));
    }
}

std::optional<std::string> ChosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace

TStandardDialogs::TStandardDialogs(QWidget* parentWindow)
    : parent(parentWindow)
{
}

std::optional<std::string> TStandardDialogs::AskSavePath(const std::string& folder, const std::string& name)
{
    QFileDialog dialog(parent, QStringLiteral("Kalvoro Dialog (Save)"));
    SetUpRecordDialog(dialog, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(FromLocal(name));
    return ChosenFile(dialog);
}

std::optional<std::string> TStandardDialogs::AskOpenPath(const std::string& folder)
{
    QFileDialog dialog(parent, QStringLiteral("Kalvoro Dialog (Open)"));
    SetUpRecordDialog(dialog, folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return ChosenFile(dialog);
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
    QMessageBox::critical(parent, QStringLiteral("Kalvoro"), FromLocal(message));
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
