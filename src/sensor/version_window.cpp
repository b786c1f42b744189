// TForm4: creation and placement of the version window.
#include "sensor/version_window.h"

#include "app/window_settings_qt.h"

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("Form4");
    setWindowTitle("Version");
}

void TForm4::FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight) {
    m_settings = avz::readWindowSettings(store, avz::WindowKind::Version, mainClientWidth, mainClientHeight);
    avz::applyWindowSettings(*this, m_settings);
}

avz::WindowSettings TForm4::currentSettings() const {
    avz::WindowSettings s = m_settings;
    avz::captureWindowSettings(*this, s);
    return s;
}
