#include "MainDialogs.h"

#include "analysis/AnalysisWindow.h"

namespace kalvoro::ui {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::widgets;
using namespace kalvoro::analysis;

TMainDialogs::TMainDialogs(QWidget* parentWindow, std::string analysisDataFolder)
    : TStandardRecordDialogs<IMainDialogs>(parentWindow)
    , dataFolder(std::move(analysisDataFolder))
{
}

void TMainDialogs::ShowGameInAnalysis(const TAnalysisHandOver& handOver)
{
    ShowAnalysisWindow(Parent(), handOver, dataFolder);
}

void TMainDialogs::ShowRecordInAnalysis(const std::string& path)
{
    ShowRecordInAnalysisWindow(Parent(), path, dataFolder);
}

} // namespace kalvoro::ui
