// TForm9: creation, notice labels and placement of the I/O check window.
#include "tools/io_check_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/captions.h"
#include "app/window_settings_qt.h"

TForm9::TForm9(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("Form9");
    setWindowTitle("IO Check");
    auto* layout = new QVBoxLayout(this);
    const auto table = avz::ioCheckLabelTable();
    for (int i = 0; i < 4; ++i) {
        m_labels[i] = new QLabel(QString::fromUtf8(table[static_cast<std::size_t>(i)].formCaption), this);
        m_labels[i]->setObjectName(QString("Label%1").arg(i + 1));
        layout->addWidget(m_labels[i]);
    }
}

void TForm9::FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight) {
    m_settings = avz::readWindowSettings(store, avz::WindowKind::IoCheck, mainClientWidth, mainClientHeight);
    avz::applyWindowSettings(*this, m_settings);
}

avz::WindowSettings TForm9::currentSettings() const {
    avz::WindowSettings s = m_settings;
    avz::captureWindowSettings(*this, s);
    return s;
}

QLabel* TForm9::noticeLabel(int number) const {
    return number >= 1 && number <= 4 ? m_labels[number - 1] : nullptr;
}
