// TForm7: the waveform inspection window for one sensor step.
#pragma once

#include <QWidget>
#include <string>

#include "app/settings.h"

class QLineEdit;

class TForm7 : public QWidget {
    Q_OBJECT

public:
    explicit TForm7(QWidget* parent = nullptr);

    void FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight);
    // Placement and the texts of the "Std. APD" and "M-Rate" fields.
    avz::WindowSettings currentSettings() const;

    QLineEdit* stdApdField() const { return m_stdApd; }
    QLineEdit* magRateField() const { return m_magRate; }

private:
    avz::WindowSettings m_settings = avz::defaultWindowSettings(avz::WindowKind::Waveform);
    QLineEdit* m_stdApd;
    QLineEdit* m_magRate;
};
