// Stand-ins for the user in the window tests: TScriptedDialogs answers the dialogs of either window from a
// script, and TModalCloser closes every modal window as soon as it opens, noting what it showed. Link
// QtTestApplication.cpp for the one application of the test program.
#pragma once

#include "support/QtTestApplication.h"

#include "analysis/AnalysisDialogs.h"
#include "analysis/AnalysisWindow.h"
#include "ui/MainDialogs.h"
#include "widgets/ResultDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrinter>
#include <QTimer>

#include <array>
#include <optional>
#include <string>
#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;
using namespace kalvoro::widgets;
using namespace kalvoro::ui;

// What the user answers, and what the windows asked and showed.
struct TDialogScript {
    std::optional<std::string> savePath;
    std::optional<std::string> openPath;
    TPrintChoice printChoice = TPrintChoice::Cancelled;
    // With Print: the printer writes a PDF to this file.
    std::string printFile;
    bool confirm = false;
    // When set, the main window's analysis commands open the real analysis window with its files in this
    // folder; otherwise they open nothing.
    std::optional<std::string> analysisFolder;

    std::string askedSaveFolder;
    std::string askedSaveName;
    std::string askedOpenFolder;
    std::string askedOpenName;
    std::vector<std::string> errors;
    std::vector<std::string> confirmations;
    std::vector<std::string> openedDocuments;
    std::vector<std::array<std::string, 3>> reports;
};

// The dialogs of the main window and of the analysis window, answered from one script.
class TScriptedDialogs final : public IMainDialogs, public IAnalysisDialogs {
public:
    explicit TScriptedDialogs(TDialogScript& sharedScript)
        : script(sharedScript)
    {
    }

    std::optional<std::string> AskSavePath(const std::string& folder, const std::string& name) override
    {
        script.askedSaveFolder = folder;
        script.askedSaveName = name;
        return script.savePath;
    }
    std::optional<std::string> AskOpenPath(const std::string& folder, const std::string& name) override
    {
        script.askedOpenFolder = folder;
        script.askedOpenName = name;
        return script.openPath;
    }
    void ShowError(const std::string& message) override { script.errors.push_back(message); }

    void ShowGameInAnalysis(const TAnalysisHandOver& handOver) override
    {
        if (script.analysisFolder) {
            ShowAnalysisWindow(nullptr, handOver, *script.analysisFolder);
        }
    }
    void ShowRecordInAnalysis(const std::string& path) override
    {
        if (script.analysisFolder) {
            ShowRecordInAnalysisWindow(nullptr, path, *script.analysisFolder);
        }
    }

    TPrintChoice ChoosePrinter(QPrinter& printer) override
    {
        if (script.printChoice == TPrintChoice::Print) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(script.printFile));
        }
        return script.printChoice;
    }
    bool Confirm(const std::string& text) override
    {
        script.confirmations.push_back(text);
        return script.confirm;
    }
    void OpenDocument(const std::string& path) override { script.openedDocuments.push_back(path); }
    void ShowBestMove(const std::array<std::string, 3>& lines) override { script.reports.push_back(lines); }

private:
    TDialogScript& script;
};

// What one closed modal window showed.
struct TSeenDialog {
    QString caption;
    // The result dialog's three lines, a message box's text, or the analysis window's move list.
    QStringList lines;
    bool analysisWindow = false;
    // The analysis window's memo.
    QString memo;
};

// Closes each modal window as soon as it is open (a dialog as by its Ok or Close button), keeping what it
// showed.
class TModalCloser {
public:
    TModalCloser()
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { CloseActive(); });
        timer.start();
    }

    std::vector<TSeenDialog> seen;

    std::vector<TSeenDialog> AnalysisWindows() const
    {
        std::vector<TSeenDialog> windows;
        for (const TSeenDialog& dialog : seen) {
            if (dialog.analysisWindow) {
                windows.push_back(dialog);
            }
        }
        return windows;
    }
    // The last line of every other dialog: a message box's text, the result dialog's third line.
    QStringList Messages() const
    {
        QStringList messages;
        for (const TSeenDialog& dialog : seen) {
            if (!dialog.analysisWindow && !dialog.lines.isEmpty()) {
                messages << dialog.lines.last();
            }
        }
        return messages;
    }
    QStringList Captions() const
    {
        QStringList captions;
        for (const TSeenDialog& dialog : seen) {
            captions << dialog.caption;
        }
        return captions;
    }

private:
    void CloseActive()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        seen.push_back(Describe(modal));
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->done(QDialog::Accepted);
        } else {
            modal->close();
        }
    }

    static TSeenDialog Describe(QWidget* modal)
    {
        TSeenDialog dialog { modal->windowTitle(), {}, false, {} };
        if (auto* form4 = qobject_cast<TForm4*>(modal)) {
            dialog.lines = { form4->Label1->text(), form4->Label2->text(), form4->Label3->text() };
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            dialog.lines = { box->text() };
        } else if (auto* window = qobject_cast<TForm2*>(modal)) {
            for (int i = 0; i < window->List1->count(); ++i) {
                dialog.lines << window->List1->item(i)->text();
            }
            dialog.analysisWindow = true;
            dialog.memo = window->Memo1->toPlainText();
        }
        return dialog;
    }

    QTimer timer;
};
