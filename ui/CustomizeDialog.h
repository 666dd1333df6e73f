// The customize dialog: the three depths of the Custom level on scroll bars, with three presets. The first
// two bars are coupled so that the fast analysis depth never drops below the complete analysis depth.
#pragma once

#include "engine/Levels.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <array>

namespace kalvoro::ui {

using namespace kalvoro::engine;

// True only while Combo1Change moves the bars, so that their change handlers leave the preset list alone.
extern bool ApplyingPreset;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // Sets Bar1, Bar2 and Bar3 in this order; each value is brought into its bar's range and each change runs
    // the bar's handler, coupling included (so 40, 16, 5 shows 16, 16, 5).
    void SetDepths(const TLevelRow& depths);
    // The three bar positions.
    TLevelRow Depths() const;

    void Bar1Change();
    void Bar2Change();
    void Bar3Change();
    void Combo1Change();

    QLabel* Label1;
    QScrollBar* Bar1;
    QLabel* Label2;
    QScrollBar* Bar2;
    QLabel* Label3;
    QScrollBar* Bar3;
    QPushButton* Button1;
    QPushButton* Button2;
    QComboBox* Combo1;

protected:
    void showEvent(QShowEvent* event) override;
    // Escape is the Cancel button, which gives OK as well; only the close box discards.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void SelectCustomUnlessApplyingPreset();
};

// Customize1Click's dialog: shows `depths` (the Custom row) and stores the bar positions back into it when
// the dialog closes with OK (Ok, Cancel, Enter or Escape). Closed by its close box, `depths` stays as it was.
// Returns whether the values were stored.
bool EditCustomDepths(QWidget* parent, TLevelRow& depths);

} // namespace kalvoro::ui
