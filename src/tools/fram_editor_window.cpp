// TForm6: creation and placement of the FRAM editor.
#include "tools/fram_editor_window.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "app/window_settings_qt.h"

TForm6::TForm6(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_read(new QPushButton("Read", this)),
      m_write(new QPushButton("Write", this)) {
    setObjectName("Form6");
    setWindowTitle("FRAM Editor");
    m_read->setObjectName("Button1");
    m_write->setObjectName("Button2");
    m_write->setEnabled(false);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_read);
    layout->addWidget(m_write);
}

void TForm6::FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight) {
    m_settings = avz::readWindowSettings(store, avz::WindowKind::Fram, mainClientWidth, mainClientHeight);
    avz::applyWindowSettings(*this, m_settings);
}

avz::WindowSettings TForm6::currentSettings() const {
    avz::WindowSettings s = m_settings;
    avz::captureWindowSettings(*this, s);
    return s;
}

void TForm6::setWriteEnabled(bool enabled) {
    m_write->setEnabled(enabled);
}
bool TForm6::writeEnabled() const {
    return m_write->isEnabled();
}
