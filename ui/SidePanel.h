// The side panel of the main window: the disc counts, last moves, player selectors and scores of both sides,
// the square under the pointer and the Back/Stop button, each at its fixed place.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace kalvoro::ui {

constexpr int SidePanelWidth = 90;

class TSidePanel : public QFrame {
    Q_OBJECT
public:
    explicit TSidePanel(QWidget* parent = nullptr);

    QLabel* Label1; // Black count
    QLabel* Bloc; // Black last move
    QComboBox* Combo1; // Black player
    QLabel* BPts; // Black score
    QLabel* Label2; // White count
    QLabel* WLoc; // White last move
    QComboBox* Combo2; // White player
    QLabel* WPts; // White score
    QLabel* PosLabel; // square under the pointer
    QToolButton* BackBtn;

    QLabel* CountLabel(int colour) const { return colour == 1 ? Label1 : Label2; }
    QLabel* LastMoveLabel(int colour) const { return colour == 1 ? Bloc : WLoc; }
    QLabel* EvalLabel(int colour) const { return colour == 1 ? BPts : WPts; }
    QComboBox* Selector(int colour) const { return colour == 1 ? Combo1 : Combo2; }
    // The count label of `colour` in the highlight colours, the other one plain.
    void HighlightCountLabel(int colour);

protected:
    // A raised outer and a lowered inner bevel.
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kalvoro::ui
