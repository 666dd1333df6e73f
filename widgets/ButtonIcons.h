// The pictures of the windows' image buttons, drawn in code, each with a normal and a greyed disabled look:
// the analysis window's four buttons and the main window's Back/Stop button.
#pragma once

#include <QIcon>

namespace kalvoro::widgets {

QIcon SaveIcon();
QIcon OpenIcon();
QIcon PrintIcon();
QIcon BestMoveIcon();
// A left-pointing arrow.
QIcon BackArrowIcon();

} // namespace kalvoro::widgets
