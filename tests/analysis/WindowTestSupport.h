// The window tests' application and a dialog answerer that stands in for the user.
#pragma once

#include "analysis/AnalysisDialogs.h"
#include "support/QtTestApplication.h"

#include <QApplication>
#include <QPrinter>

#include <array>
#include <optional>
#include <string>
#include <vector>

// Answers every dialog of the analysis window as told and notes what was asked.
class TScriptedDialogs : public IAnalysisDialogs {
public:
    struct TScript {
        std::optional<std::string> savePath;
        std::optional<std::string> openPath;
        TPrintChoice printChoice = TPrintChoice::Cancelled;
        // With Print: the printer writes a PDF to this file.
        std::string printFile;
        bool confirm = false;
        std::string askedSaveFolder;
        std::string askedSaveName;
        std::string askedOpenFolder;
        std::vector<std::string> errors;
        std::vector<std::string> confirmations;
        std::vector<std::string> openedDocuments;
        std::vector<std::array<std::string, 3>> reports;
    };

    explicit TScriptedDialogs(TScript& sharedScript)
        : script(sharedScript)
    {
    }

    std::optional<std::string> AskSavePath(const std::string& folder, const std::string& name) override
    {
        script.askedSaveFolder = folder;
        script.askedSaveName = name;
        return script.savePath;
    }
    std::optional<std::string> AskOpenPath(const std::string& folder, const std::string&) override
    {
        script.askedOpenFolder = folder;
        return script.openPath;
    }
    TPrintChoice ChoosePrinter(QPrinter& printer) override
    {
        if (script.printChoice == TPrintChoice::Print) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(script.printFile));
        }
        return script.printChoice;
    }
    void ShowError(const std::string& message) override { script.errors.push_back(message); }
    bool Confirm(const std::string& text) override
    {
        script.confirmations.push_back(text);
        return script.confirm;
    }
    void OpenDocument(const std::string& path) override { script.openedDocuments.push_back(path); }
    void ShowBestMove(const std::array<std::string, 3>& lines) override { script.reports.push_back(lines); }

private:
    TScript& script;
};
