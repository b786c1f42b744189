// TForm3: the data record window, which shows the record table, sets the recording interval, saves the
// table and ends a recording when it closes.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "app/settings.h"
#include "record/data_record.h"

class QAction;
class QMenuBar;
class QTableView;

namespace avz {
class TextGridModel;
}

class TForm3 : public QWidget {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    void FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight);
    avz::WindowSettings currentSettings() const;

    // Wires the window to the main window's recording state; until then it shows nothing and saves nothing.
    void attach(avz::RecordingParts parts, const avz::SensorModel& currentModel, avz::DataRecordHost& host,
                avz::Dialogs& dialogs, const avz::Clock& clock);
    avz::DataRecord* dataRecord() const { return m_record.get(); }

    // Set after a successful save; while set, closing the main window does not ask to save.
    bool dataSaved() const { return m_record && m_record->saved(); }
    void setDataSaved(bool saved) {
        if (m_record) m_record->setSaved(saved);
    }
    std::string cellText(int col, int row) const;
    void setCellText(int col, int row, std::string text);

    // Tells the grid what changed in the table.
    void refreshGrid();
    QTableView* grid() const { return m_grid; }
    QAction* intervalItem(avz::RecordInterval item) const;

public slots:
    void Save1Click();
    void Reset1Click();
    void Close1Click();
    void N1sec1Click();
    void N5sec1Click();
    void N10sec1Click();
    void N30sec1Click();
    void N60sec1Click();
    void RealTime1Click();

signals:
    // The window closed: a recording has ended.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void FormHide();
    void FormClose();
    void chooseInterval(avz::RecordInterval item);

    avz::WindowSettings m_settings = avz::defaultWindowSettings(avz::WindowKind::DataRecord);
    std::unique_ptr<avz::DataRecord> m_record;
    avz::RecordTable* m_table = nullptr;
    avz::TextGridModel* m_model = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QTableView* m_grid = nullptr;
    QAction* m_intervals[6] = {};
};
