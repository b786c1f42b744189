// TForm8: creation and placement of the correction workbench.
#include "tools/correction_window.h"

#include "app/window_settings_qt.h"

TForm8::TForm8(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form8");
    setWindowTitle("HOSEI");
}

void TForm8::FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight) {
    m_settings =
        avz::readWindowSettings(store, avz::WindowKind::Correction, mainClientWidth, mainClientHeight);
    avz::applyWindowSettings(*this, m_settings);
}

avz::WindowSettings TForm8::currentSettings() const {
    avz::WindowSettings s = m_settings;
    avz::captureWindowSettings(*this, s);
    return s;
}
