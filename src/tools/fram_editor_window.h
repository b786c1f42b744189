// TForm6: the FRAM parameter editor.
#pragma once

#include <QWidget>

#include "app/settings.h"

class QPushButton;

class TForm6 : public QWidget {
    Q_OBJECT

public:
    explicit TForm6(QWidget* parent = nullptr);

    void FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight);
    avz::WindowSettings currentSettings() const;

    // "Write" is enabled only after a complete read from the sensor now connected.
    void setWriteEnabled(bool enabled);
    bool writeEnabled() const;

private:
    avz::WindowSettings m_settings = avz::defaultWindowSettings(avz::WindowKind::Fram);
    QPushButton* m_read;
    QPushButton* m_write;
};
