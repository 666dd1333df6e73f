#include "RecordDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

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

std::optional<std::string> DroppedRecordPath(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 || !data->urls()[0].isLocalFile()) {
        return std::nullopt;
    }
    const QString path = data->urls()[0].toLocalFile();
    if (!path.endsWith(QStringLiteral(".kvr"), Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    return path.toStdString();
}

} // namespace kalvoro::widgets
