// TForm4: the version window, showing the sensor's or the program's version record.
#pragma once

#include <QWidget>

#include "app/settings.h"

class TForm4 : public QWidget {
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);

    void FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight);
    avz::WindowSettings currentSettings() const;

private:
    avz::WindowSettings m_settings = avz::defaultWindowSettings(avz::WindowKind::Version);
};
