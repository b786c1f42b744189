// TForm3: the data record window, which holds the recorded table until it is saved.
#pragma once

#include <QWidget>
#include <map>
#include <string>
#include <utility>

#include "app/settings.h"

class TForm3 : public QWidget {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);

    void FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight);
    avz::WindowSettings currentSettings() const;

    // Set after a successful save; while set, closing the main window does not ask to save.
    bool dataSaved() const { return m_saved; }
    void setDataSaved(bool saved) { m_saved = saved; }
    std::string cellText(int col, int row) const;
    void setCellText(int col, int row, std::string text);

public slots:
    void Save1Click();

private:
    avz::WindowSettings m_settings = avz::defaultWindowSettings(avz::WindowKind::DataRecord);
    std::map<std::pair<int, int>, std::string> m_cells;
    bool m_saved = false;
};
