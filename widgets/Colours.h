// The program's named colours, shared by the main window, the analysis window, their dialogs and the printed
// sheet.
#pragma once

#include <QColor>

namespace kalvoro::widgets {

namespace Colours {
// The board and the result dialog.
inline const QColor Green { 0, 128, 0 };
// The rim of a black disc on the screen, a greyed picture's face.
inline const QColor Silver { 192, 192, 192 };
// The legal-move dots and the analysis window's last-move dot.
inline const QColor Lime { 0, 255, 0 };
// The rim of the last-move dot and the face of the square under the pointer.
inline const QColor Blue { 0, 0, 255 };
// The Back/Stop arrow.
inline const QColor Navy { 0, 0, 128 };
// The ink of a greyed picture.
inline const QColor Grey { 128, 128, 128 };
} // namespace Colours

} // namespace kalvoro::widgets
