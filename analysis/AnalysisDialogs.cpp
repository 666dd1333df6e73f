#include "AnalysisDialogs.h"

#include "widgets/ResultDialog.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace kalvoro::analysis {

using namespace kalvoro::widgets;

namespace {

QString FromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

TStandardDialogs::TStandardDialogs(QWidget* parentWindow)
    : TStandardRecordDialogs<IAnalysisDialogs>(parentWindow)
{
}

TPrintChoice TStandardDialogs::ChoosePrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, Parent());
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) {
        return TPrintChoice::Cancelled;
    }
    return printer.outputFileName().isEmpty() ? TPrintChoice::Print : TPrintChoice::PrintToFile;
}

bool TStandardDialogs::Confirm(const std::string& text)
{
    return QMessageBox::question(Parent(), QStringLiteral("Kalvoro"), FromUtf8(text),
               QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        == QMessageBox::Ok;
}

void TStandardDialogs::OpenDocument(const std::string& path)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(FromUtf8(path)))) {
        ShowError("Cannot open " + path + ": the desktop has no program for it.");
    }
}

void TStandardDialogs::ShowBestMove(const std::array<std::string, 3>& lines)
{
    ShowForm4(Parent(), QStringLiteral("Result"), FromUtf8(lines[0]), FromUtf8(lines[1]), FromUtf8(lines[2]));
}

} // namespace kalvoro::analysis
