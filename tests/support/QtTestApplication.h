// The one QApplication of a window test program: made before the first test and destroyed after the last,
// so that it goes before the static objects Qt tears down at exit. Link QtTestApplication.cpp to use it.
#pragma once

#include <QApplication>

QApplication& TestApplication();
