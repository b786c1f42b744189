// TForm7: creation, placement and APD fields of the waveform window.
#include "tools/waveform_window.h"

#include <QFormLayout>
#include <QLineEdit>

#include "app/window_settings_qt.h"

TForm7::TForm7(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_stdApd(new QLineEdit(avz::kStdApdDefaultText, this)),
      m_magRate(new QLineEdit(avz::kMagRateDefaultText, this)) {
    setObjectName("Form7");
    setWindowTitle("WaveForm");
    m_stdApd->setObjectName("LabeledEdit10");
    m_magRate->setObjectName("LabeledEdit11");
    auto* layout = new QFormLayout(this);
    layout->addRow("Std. APD", m_stdApd);
    layout->addRow("M-Rate", m_magRate);
}

void TForm7::FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight) {
    m_settings = avz::readWindowSettings(store, avz::WindowKind::Waveform, mainClientWidth, mainClientHeight);
    avz::applyWindowSettings(*this, m_settings);
    m_stdApd->setText(QString::fromStdString(m_settings.stdApdText));
    m_magRate->setText(QString::fromStdString(m_settings.magRateText));
}

avz::WindowSettings TForm7::currentSettings() const {
    avz::WindowSettings s = m_settings;
    avz::captureWindowSettings(*this, s);
    s.stdApdText = m_stdApd->text().toStdString();
    s.magRateText = m_magRate->text().toStdString();
    return s;
}
