// TForm8: the distance and AGC correction workbench.
#pragma once

#include <QWidget>

#include "app/settings.h"

class TForm8 : public QWidget {
    Q_OBJECT

public:
    explicit TForm8(QWidget* parent = nullptr);

    void FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight);
    avz::WindowSettings currentSettings() const;

private:
    avz::WindowSettings m_settings = avz::defaultWindowSettings(avz::WindowKind::Correction);
};
