// TForm9: the I/O check window, which shows the sensor's inputs and outputs and can override them.
#pragma once

#include <QWidget>
#include <string>

#include "app/settings.h"

class QLabel;

class TForm9 : public QWidget {
    Q_OBJECT

public:
    explicit TForm9(QWidget* parent = nullptr);

    void FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight);
    avz::WindowSettings currentSettings() const;

    // The four notice labels, 1 to 4, that follow the language.
    QLabel* noticeLabel(int number) const;

private:
    avz::WindowSettings m_settings = avz::defaultWindowSettings(avz::WindowKind::IoCheck);
    QLabel* m_labels[4];
};
