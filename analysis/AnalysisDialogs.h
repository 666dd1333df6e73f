// What the analysis window asks of the user and of the desktop: the record file dialogs and the error box
// (shared with the main window), the print dialog, the confirmation box, the best-move report and the
// desktop's "open" action. The window talks to them through this interface so that tests can answer in place
// of the user.
#pragma once

#include "widgets/RecordDialogs.h"

#include <array>
#include <string>

class QPrinter;

namespace kalvoro::analysis {

using namespace kalvoro::widgets;

enum class TPrintChoice { Cancelled, Print, PrintToFile };

class IAnalysisDialogs : public IRecordDialogs {
public:
    // The print dialog for `printer`, with a tick box "Print to file (text)" among its options: PrintToFile
    // when it is ticked, Print for any printer otherwise (its output file, if any, set on `printer`).
    virtual TPrintChoice ChoosePrinter(QPrinter& printer) = 0;
    // A confirmation box with OK and Cancel; true for OK.
    virtual bool Confirm(const std::string& text) = 0;
    virtual void OpenDocument(const std::string& path) = 0;
    // The result dialog with the three lines of the best-move report.
    virtual void ShowBestMove(const std::array<std::string, 3>& lines) = 0;
};

// The real dialogs, owned by `parent`'s window.
class TStandardDialogs : public TStandardRecordDialogs<IAnalysisDialogs> {
public:
    explicit TStandardDialogs(QWidget* parent);
    TPrintChoice ChoosePrinter(QPrinter& printer) override;
    bool Confirm(const std::string& text) override;
    void OpenDocument(const std::string& path) override;
    void ShowBestMove(const std::array<std::string, 3>& lines) override;
};

} // namespace kalvoro::analysis
