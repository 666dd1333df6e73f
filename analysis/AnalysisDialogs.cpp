#include "AnalysisDialogs.h"

#include "widgets/ResultDialog.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>
#include <QVBoxLayout>

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
    // The text export is a choice of its own: a printer's output file, a PDF included, still gets the sheet.
    auto* options = new QWidget;
    options->setWindowTitle(QStringLiteral("Kalvoro"));
    auto* textExport = new QCheckBox(QStringLiteral("Print to file (text)"), options);
    textExport->setObjectName(QStringLiteral("PrintToTextFile"));
    (new QVBoxLayout(options))->addWidget(textExport);
    dialog.setOptionTabs({ options });
    if (dialog.exec() != QDialog::Accepted) {
        return TPrintChoice::Cancelled;
    }
    return textExport->isChecked() ? TPrintChoice::PrintToFile : TPrintChoice::Print;
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
