#pragma once
// One Qt application object for the whole test program (offscreen platform).
#include <QApplication>

QApplication& qtApp();
