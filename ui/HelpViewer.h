// The help window: the program's help document, an HTML file, shown at a topic (an anchor of the document).
#pragma once

#include <QString>

class QWidget;

namespace kalvoro::ui {

// The help document of a program in `programFolder`: "Kalvoro.hlp" beside it, or, for an installed program,
// the document installed under ../share/kalvoro/help. When neither exists, the first, so that a message can
// name it.
QString HelpFileFor(const QString& programFolder);

// Opens `path` at the anchor `topic` in a help window of its own, or, when the file cannot be read, shows a
// message naming it. `preface` (lines of plain text, such as where the program keeps its files) is shown
// above the document. Returns whether the help was shown.
bool ShowHelp(QWidget* parent, const QString& path, const QString& topic, const QString& preface = {});

} // namespace kalvoro::ui
