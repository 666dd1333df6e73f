// What the main window shows over itself and waits for: the record file dialogs, the error box and the
// analysis window. The window talks to them through IMainDialogs so that tests can answer in place of the
// user and leave the analysis window closed.
#pragma once

#include "records/GameRecord.h"
#include "widgets/RecordDialogs.h"

#include <string>

namespace kalvoro::ui {

using namespace kalvoro::records;
using namespace kalvoro::widgets;

class IMainDialogs : public IRecordDialogs {
public:
    // The Analyse command and the end of every game: the game in progress in the analysis window.
    virtual void ShowGameInAnalysis(const TAnalysisHandOver& handOver) = 0;
    // The start with a record path: the record at `path` alone in the analysis window.
    virtual void ShowRecordInAnalysis(const std::string& path) = 0;
};

// The real dialogs and the analysis window, modally over `parent`; the analysis window writes its text export
// to `dataFolder` and starts its file dialogs there.
class TMainDialogs : public TStandardRecordDialogs<IMainDialogs> {
public:
    TMainDialogs(QWidget* parent, std::string dataFolder);
    void ShowGameInAnalysis(const TAnalysisHandOver& handOver) override;
    void ShowRecordInAnalysis(const std::string& path) override;

private:
    std::string dataFolder;
};

} // namespace kalvoro::ui
