#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>

// The system's button face, the background of controls and of several windows.
inline QColor ButtonFace() {
    return QApplication::palette().color(QPalette::Button);
}
