#include "RecordDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace kalvoro::widgets {

namespace {

// Records are matched in either case: Save offers "mmddhhnn.KVR", the analysis window "mmddhhnn.kvr", and
// file systems here tell the two apart.
const QStringList RecordFilters { QStringLiteral("Kalvoro Files(*.KVR *.kvr)"),
    QStringLiteral("All Files(*.*)") };

void SetUpRecordDialog(QFileDialog& dialog, const std::string& folder, const std::string& name)
{
    dialog.setNameFilters(RecordFilters);
    dialog.setDefaultSuffix(QStringLiteral("KVR"));
    if (!folder.empty()) {
        dialog.setDirectory(QString::fromStdString(folder));
    }
    if (!name.empty()) {
        dialog.selectFile(QString::fromStdString(name));
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

std::optional<std::string> AskRecordSavePath(
    QWidget* parent, const std::string& folder, const std::string& name)
{
    QFileDialog dialog(parent, QStringLiteral("Kalvoro Dialog (Save)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    SetUpRecordDialog(dialog, folder, name);
    return ChosenFile(dialog);
}

std::optional<std::string> AskRecordOpenPath(
    QWidget* parent, const std::string& folder, const std::string& name)
{
    QFileDialog dialog(parent, QStringLiteral("Kalvoro Dialog (Open)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    SetUpRecordDialog(dialog, folder, name);
    return ChosenFile(dialog);
}

void ShowErrorBox(QWidget* parent, const std::string& message)
{
    QMessageBox::critical(parent, QStringLiteral("Kalvoro"), QString::fromStdString(message));
}

} // namespace kalvoro::widgets
