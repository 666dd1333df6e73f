// The analysis window: one game replayed position by position beside a diagram of its move numbers, with a
// memo, saving and opening of game records, the exact best move of a shown endgame position, the text export
// and the printed sheet. It keeps its own copy of the game and never changes the main window's.
#pragma once

#include "AnalysisDialogs.h"
#include "CommentLines.h"
#include "analysis/core/AnalysisGame.h"
#include "records/GameRecord.h"

#include <QDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

namespace kalvoro::analysis {

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::widgets;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    // `answerer` answers in place of the user (tests); the real dialogs when null.
    explicit TForm2(QWidget* parent = nullptr, std::unique_ptr<IAnalysisDialogs> answerer = nullptr);

    // Takes over the game of `record`: its position lines and, as the memo lines, its comment lines. Call
    // FormShow (or show the window) to display it from position 0.
    void SetGame(const TGameRecord& record);
    // The game as a record would hold it: the position lines and the memo lines as comment lines.
    TGameRecord CurrentRecord() const;
    // The comment lines behind the memo: the lines the user did not edit with the bytes they were read
    // with, edited lines as UTF-8 (TCommentLines).
    std::vector<std::string> MemoLines() const;

    // Where the text export "Kalvoro.txt" is written (the folder is created when missing) and where a file
    // dialog starts for a record without a folder; the program's data folder unless set.
    void SetDataFolder(const std::string& folder) { dataFolder = folder; }

    void UpdateCaption();
    void FormShow();
    void FillMoveList();
    void List1Click();
    void SaveBtnClick();
    void OpenBtnClick();
    // Open's work after its dialog, also for a record dropped on the window.
    void OpenRecord(const std::string& path);
    // Ctrl+C in the move list: the game's moves on the clipboard as square names, passes left out.
    void CopyMoves();
    void PrintBtnClick();
    void HintBtnClick();
    void ExportText();

    std::vector<TPositionLine> PositionRows;
    int LastIndex = 0;
    std::string RecordFileName;
    int CurrentIndex = 0;
    TBoard MoveNumberBoard {};
    TBoard ShownBoard {};

    QListWidget* List1;
    QPlainTextEdit* Memo1;
    QToolButton* SaveBtn;
    QToolButton* OpenBtn;
    QToolButton* PrintBtn;
    QToolButton* HintBtn;
    QPushButton* CloseBtn;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void UnpackShownPosition();
    void ReturnToStart();
    void PrintSheet(QPrinter& printer);
    QStringList MemoTextLines() const;

    TCommentLines comments;
    std::string dataFolder;
    std::unique_ptr<IAnalysisDialogs> dialogs;
};

// The Analyse command and the end of every game: the analysis window on the game handed over by the main
// window (MakeAnalysisHandOver), shown modally over `parent` and destroyed when it closes. `dataFolder` is
// where its text export goes and its file dialogs start (the program's data folder when empty).
void ShowAnalysisWindow(
    QWidget* parent, const TAnalysisHandOver& handOver, const std::string& dataFolder = {});

// The start with a record path: the record at `path` in the analysis window, shown modally. A damaged record
// shows as far as it could be read, after a message that names the error; a record that could not be read at
// all shows the start position.
void ShowRecordInAnalysisWindow(QWidget* parent, const std::string& path, const std::string& dataFolder = {});

} // namespace kalvoro::analysis
