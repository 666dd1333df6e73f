// The pictures of the analysis window's four image buttons, drawn in code, each with a normal and a greyed
// disabled look.
#pragma once

#include <QIcon>

QIcon SaveIcon();
QIcon OpenIcon();
QIcon PrintIcon();
QIcon BestMoveIcon();
