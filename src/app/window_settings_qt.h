// Moving a window to its stored place and reading its place back for the settings.
#pragma once

#include <QWidget>

#include "app/settings.h"

namespace avz {

inline void applyWindowSettings(QWidget& w, const WindowSettings& s) {
    w.move(s.left, s.top);
    if (s.hasSize) w.resize(s.width, s.height);
}

inline void captureWindowSettings(const QWidget& w, WindowSettings& s) {
    s.left = w.x();
    s.top = w.y();
    if (s.hasSize) {
        s.height = w.height();
        s.width = w.width();
    }
}

}  // namespace avz
