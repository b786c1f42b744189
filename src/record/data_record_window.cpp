// TForm3: the data record window's widgets around the DataRecord rules and the record table.
#include "record/data_record_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenuBar>
#include <QTableView>
#include <QVBoxLayout>

#include "app/window_settings_qt.h"
#include "record/text_grid_model.h"

namespace {

struct IntervalItem {
    const char* name;
    const char* caption;
    avz::RecordInterval item;
};

constexpr IntervalItem kIntervalItems[6] = {
    {"N1sec1", "1 sec", avz::RecordInterval::Sec1},         {"N5sec1", "5 sec", avz::RecordInterval::Sec5},
    {"N10sec1", "10 sec", avz::RecordInterval::Sec10},      {"N30sec1", "30 sec", avz::RecordInterval::Sec30},
    {"N60sec1", "60 sec", avz::RecordInterval::Sec60},      {"RealTime1", "Real Time", avz::RecordInterval::RealTime},
};

}  // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("Form3");
    setWindowTitle("DATA RECORD");

    m_menuBar = new QMenuBar(this);
    QMenu* dataMenu = m_menuBar->addMenu("Data");
    dataMenu->setObjectName("Data1");
    auto add = [this](QMenu* menu, const char* name, const char* caption, void (TForm3::*slot)()) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add(dataMenu, "Save1", "Save As...", &TForm3::Save1Click);
    add(dataMenu, "Reset1", "Reset", &TForm3::Reset1Click);
    add(dataMenu, "Close1", "Close", &TForm3::Close1Click);
    QMenu* interval = m_menuBar->addMenu("Interval");
    interval->setObjectName("Interval1");
    using Slot = void (TForm3::*)();
    static const Slot kSlots[6] = {&TForm3::N1sec1Click,  &TForm3::N5sec1Click,  &TForm3::N10sec1Click,
                                   &TForm3::N30sec1Click, &TForm3::N60sec1Click, &TForm3::RealTime1Click};
    auto* group = new QActionGroup(this);
    for (int i = 0; i < 6; ++i) {
        QAction* a = add(interval, kIntervalItems[i].name, kIntervalItems[i].caption, kSlots[i]);
        a->setCheckable(true);
        group->addAction(a);
        m_intervals[i] = a;
    }
    m_intervals[5]->setChecked(true);  // "Real Time" is checked, although the pacer runs at 1 ms until chosen

    m_grid = new QTableView(this);
    m_grid->setObjectName("StringGrid1");
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setMinimumSectionSize(1);
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->horizontalHeader()->setDefaultSectionSize(50);
    m_grid->verticalHeader()->setDefaultSectionSize(15);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(m_grid);
    resize(400, 300);
}

TForm3::~TForm3() = default;

void TForm3::FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight) {
    m_settings =
        avz::readWindowSettings(store, avz::WindowKind::DataRecord, mainClientWidth, mainClientHeight);
    avz::applyWindowSettings(*this, m_settings);
}

avz::WindowSettings TForm3::currentSettings() const {
    avz::WindowSettings s = m_settings;
    avz::captureWindowSettings(*this, s);
    return s;
}

void TForm3::attach(avz::RecordingParts parts, const avz::SensorModel& currentModel, avz::DataRecordHost& host,
                    avz::Dialogs& dialogs, const avz::Clock& clock) {
    m_table = &parts.table;
    m_record = std::make_unique<avz::DataRecord>(parts, currentModel, host, dialogs, clock);
    m_model = new avz::TextGridModel(parts.table, this);
    m_grid->setModel(m_model);
}

std::string TForm3::cellText(int col, int row) const {
    return m_table ? m_table->cell(col, row) : std::string();
}

void TForm3::setCellText(int col, int row, std::string text) {
    if (m_table) m_table->setCell(col, row, std::move(text));
    refreshGrid();
}

void TForm3::refreshGrid() {
    if (m_model) m_model->refresh();
}

QAction* TForm3::intervalItem(avz::RecordInterval item) const {
    for (int i = 0; i < 6; ++i)
        if (kIntervalItems[i].item == item) return m_intervals[i];
    return nullptr;
}

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TForm3::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) FormHide();
}

void TForm3::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
    emit closed();
}

void TForm3::FormShow() {
    if (!m_record) return;
    m_record->formShow();
    refreshGrid();
}

void TForm3::FormHide() {
    if (m_record) m_record->reset();
}

void TForm3::FormClose() {
    if (m_record) m_record->formClose();
}

void TForm3::Save1Click() {
    if (m_record) m_record->save();
}

void TForm3::Reset1Click() {
    if (m_record) m_record->reset();
}

void TForm3::Close1Click() {
    // Closing asks to save only what was not saved; the flag is cleared once the window is closed.
    close();
    if (m_record) m_record->close1();
}

void TForm3::chooseInterval(avz::RecordInterval item) {
    if (QAction* a = intervalItem(item)) a->setChecked(true);
    if (m_record) m_record->chooseInterval(item);
}

void TForm3::N1sec1Click() { chooseInterval(avz::RecordInterval::Sec1); }
void TForm3::N5sec1Click() { chooseInterval(avz::RecordInterval::Sec5); }
void TForm3::N10sec1Click() { chooseInterval(avz::RecordInterval::Sec10); }
void TForm3::N30sec1Click() { chooseInterval(avz::RecordInterval::Sec30); }
void TForm3::N60sec1Click() { chooseInterval(avz::RecordInterval::Sec60); }
void TForm3::RealTime1Click() { chooseInterval(avz::RecordInterval::RealTime); }
