// What the analysis window asks of the user and of the desktop: the file and print dialogs, the message and
// confirmation boxes, the best-move report and the desktop's "open" action. The window talks to them through
// this interface so that tests can answer in place of the user.
#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <string>

class QPrinter;

enum class TPrintChoice { Cancelled, Print, PrintToFile };

class IAnalysisDialogs {
public:
    virtual ~IAnalysisDialogs() = default;
    // The save dialog starting in `folder` with `name` preset; nothing when the user cancels.
    virtual std::optional<std::string> AskSavePath(const std::string& folder, const std::string& name) = 0;
    // The open dialog starting in `folder`; only an existing file is accepted.
    virtual std::optional<std::string> AskOpenPath(const std::string& folder) = 0;
    // The print dialog for `printer`, with its print-to-file box.
    virtual TPrintChoice ChoosePrinter(QPrinter& printer) = 0;
    virtual void ShowError(const std::string& message) = 0;
    // A confirmation box with OK and Cancel; true for OK.
    virtual bool Confirm(const std::string& text) = 0;
    virtual void OpenDocument(const std::string& path) = 0;
    // The result dialog with the three lines of the best-move report.
    virtual void ShowBestMove(const std::array<std::string, 3>& lines) = 0;
};

// The real dialogs, owned by `parent`'s window.
class TStandardDialogs : public IAnalysisDialogs {
public:
    explicit TStandardDialogs(QWidget* parent);
    std::optional<std::string> AskSavePath(const std::string& folder, const std::string& name) override;
    std::optional<std::string> AskOpenPath(const std::string& folder) override;
    TPrintChoice ChoosePrinter(QPrinter& printer) override;
    void ShowError(const std::string& message) override;
    bool Confirm(const std::string& text) override;
    void OpenDocument(const std::string& path) override;
    void ShowBestMove(const std::array<std::string, 3>& lines) override;

private:
    QWidget* parent;
};
