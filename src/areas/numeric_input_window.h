// TForm5: the numeric area input window, where the current area's vertices are typed in millimetres.
#pragma once

#include <QWidget>

#include "app/settings.h"

class QComboBox;

class TForm5 : public QWidget {
    Q_OBJECT

public:
    explicit TForm5(QWidget* parent = nullptr);

    void FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight);
    avz::WindowSettings currentSettings() const;

    QComboBox* areaList() const { return m_areaList; }
    QComboBox* shapeList() const { return m_shapeList; }

private:
    avz::WindowSettings m_settings = avz::defaultWindowSettings(avz::WindowKind::NumericInput);
    QComboBox* m_areaList;
    QComboBox* m_shapeList;
};
