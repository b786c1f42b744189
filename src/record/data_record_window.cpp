// TForm3: creation and placement of the data record window.
#include "record/data_record_window.h"

#include "app/window_settings_qt.h"

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("Form3");
    setWindowTitle("DATA RECORD");
}

void TForm3::FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight) {
    m_settings =
        avz::readWindowSettings(store, avz::WindowKind::DataRecord, mainClientWidth, mainClientHeight);
    avz::applyWindowSettings(*this, m_settings);
}

avz::WindowSettings TForm3::currentSettings() const {
    avz::WindowSettings s = m_settings;
    avz::captureWindowSettings(*this, s);
    return s;
}

std::string TForm3::cellText(int col, int row) const {
    const auto it = m_cells.find({col, row});
    return it == m_cells.end() ? std::string() : it->second;
}

void TForm3::setCellText(int col, int row, std::string text) {
    m_cells[{col, row}] = std::move(text);
}

void TForm3::Save1Click() {
    // The recorded-data file writer fills this in.
}
