// TForm1: the area commands of the menus and toolbar (area file, area transfer, numeric input) and the glue
// between the area model, the numeric input window and the view.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QMenu>
#include <QToolButton>
#include <algorithm>

#include "app/main_window.h"
#include "areas/area_file.h"
#include "areas/numeric_input_window.h"
#include "tools/io_check_window.h"

namespace {

std::vector<std::string> itemTexts(const QComboBox& box) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(box.count()));
    for (int i = 0; i < box.count(); ++i) items.push_back(box.itemText(i).toStdString());
    return items;
}

}  // namespace

void TForm1::connectAreaCommands() {
    connect(entry("OpenAreaFile1"), &QAction::triggered, this, &TForm1::OpenAreaFile1Click);
    connect(entry("SaveAreaFile1"), &QAction::triggered, this, &TForm1::SaveAreaFile1Click);
    connect(entry("AreaRead1"), &QAction::triggered, this, &TForm1::AreaRead1Click);
    connect(entry("AreaWrite1"), &QAction::triggered, this, &TForm1::AreaWrite1Click);
    connect(entry("NumericInput1"), &QAction::triggered, this, &TForm1::NumericInput1Click);
    const struct {
        const char* name;
        void (TForm1::*handler)();
    } kButtons[] = {{"SpeedButton5", &TForm1::SpeedButton5Click},
                    {"SpeedButton6", &TForm1::SpeedButton6Click},
                    {"SpeedButton1", &TForm1::SpeedButton1Click},
                    {"SpeedButton2", &TForm1::SpeedButton2Click}};
    for (const auto& b : kButtons)
        connect(findChild<QToolButton*>(b.name), &QToolButton::clicked, this, b.handler);
}

bool TForm1::canTakeFocus() const {
    return isVisible() && isEnabled();
}

void TForm1::syncAreaCount() {
    m_areas.table.count = std::clamp(m_sensor.model.areaCount, 0, avz::kAreaSlots - 1);
}

// ---- Area file

void TForm1::SaveAreaFile1Click() {
    syncAreaCount();
    avz::saveAreaFileAs(m_areas.table, m_areas.areasChanged, m_services.dialogs);
}

void TForm1::SpeedButton5Click() {
    if (canTakeFocus()) SaveAreaFile1Click();
}

void TForm1::OpenAreaFile1Click() {
    syncAreaCount();
    const avz::OpenAreaResult r = avz::openAreaFile(
        m_areas.table, m_areas.areasChanged, m_sensor.model.maxRange, japaneseSelected(), m_services.dialogs);
    // Whenever parsing touched the table (also a corrupt file's first values, or the clearing after a refused
    // correction) the editors show the table again, so no stale field is committed back over it.
    switch (r) {
        case avz::OpenAreaResult::Loaded:
        case avz::OpenAreaResult::Corrupt:
        case avz::OpenAreaResult::Refused:
        case avz::OpenAreaResult::Stopped:
            refreshCurrentArea();
            break;
        default:
            break;
    }
}

void TForm1::SpeedButton6Click() {
    if (canTakeFocus()) OpenAreaFile1Click();
}

// ---- Area transfer

QList<QObject*> TForm1::areaExchangeControls() const {
    QList<QObject*> controls;
    for (const char* name : {"AreaRead1", "AreaWrite1", "OpenAreaFile1"}) controls.append(entry(name));
    // Everything else that talks to the port or closes it is off too while a transfer owns it.
    for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton6", "SpeedButton4", "SpeedButton12"})
        controls.append(findChild<QToolButton*>(name));
    for (const char* name : {"Port1", "Speed1"}) controls.append(findChild<QMenu*>(name));
    return controls;
}

void TForm1::setAreaExchangeControlsEnabled(bool enabled) {
    for (QObject* o : areaExchangeControls()) {
        if (auto* a = qobject_cast<QAction*>(o)) a->setEnabled(enabled);
        if (auto* w = qobject_cast<QWidget*>(o)) w->setEnabled(enabled);
    }
}

void TForm1::runAreaExchange(bool write) {
    // Another exchange owns the port; its wait loop let this click through.
    if (m_exchangeLock.busy()) return;
    avz::NoReader noReader;
    avz::ReaderGate& reader = m_services.reader ? *m_services.reader : noReader;
    avz::AreaTransferContext ctx{m_services.link, m_services.pump, m_services.dialogs,
                                 reader,          m_exchangeLock,  *this};
    syncAreaCount();
    setAreaExchangeControlsEnabled(false);
    if (write)
        avz::areaWrite(ctx, m_areas.table, m_sensor.model);
    else
        avz::areaRead(ctx, m_areas.table, m_sensor.model);
    setAreaExchangeControlsEnabled(true);
}

void TForm1::AreaRead1Click() {
    runAreaExchange(false);
}

void TForm1::AreaWrite1Click() {
    runAreaExchange(true);
}

void TForm1::SpeedButton1Click() {
    if (canTakeFocus()) AreaRead1Click();
}

void TForm1::SpeedButton2Click() {
    if (canTakeFocus()) AreaWrite1Click();
}

bool TForm1::connected() const {
    return !(m_disconnect && m_disconnect->isChecked());
}

void TForm1::closeIoCheckWindow() {
    if (m_windows.form9 && m_windows.form9->isVisible()) m_windows.form9->close();
}

bool TForm1::setArea() {
    if (!m_windows.form5) return true;
    m_windows.form5->Button1Click();
    return m_windows.form5->allFieldsValid();
}

void TForm1::setWatchdogExpired() {
    m_link.flags.watchdogExpired = true;
}

void TForm1::setProgressMax(int max) {
    m_progress->setMaximum(std::max(max, 0));
}

void TForm1::setProgress(int position) {
    // The steps of a transfer can run past the maximum it set.
    m_progress->setValue(std::clamp(position, m_progress->minimum(), m_progress->maximum()));
}

// ---- Current area and the numeric input window

void TForm1::NumericInput1Click() {
    if (!m_windows.form5) return;
    m_windows.form5->show();
    m_windows.form5->raise();
}

void TForm1::showAreaStatus() {
    setPanelText(3, m_areaList->currentText() + " (" + m_shapeList->currentText() + ")");
}

void TForm1::refreshCurrentArea() {
    m_areas.currentArea = avz::areaIndexOf(itemTexts(*m_areaList), m_areaList->currentText().toStdString());
    const avz::AreaPattern& area = m_areas.table.at(m_areas.currentArea);
    const int shape = std::clamp(area.PartitionShape, 0, avz::kShapeRatio);
    const bool blocked = m_shapeList->blockSignals(true);
    m_shapeList->setCurrentIndex(shape);
    m_shapeList->blockSignals(blocked);
    showAreaStatus();
    if (TForm5* numeric = m_windows.form5) {
        numeric->selectArea(m_areas.currentArea, shape);
        numeric->loadArea(area);
    }
    placeHandles();
    repaintView();
}

int TForm1::mainAreaSelection() const {
    return m_areaList->findText(m_areaList->currentText(), Qt::MatchExactly);
}

int TForm1::mainShapeSelection() const {
    return m_shapeList->findText(m_shapeList->currentText(), Qt::MatchExactly);
}

void TForm1::numericAreaSelected(int area) {
    const bool blocked = m_areaList->blockSignals(true);
    m_areaList->setCurrentIndex(std::clamp(area, 0, std::max(m_areaList->count() - 1, 0)));
    m_areaList->blockSignals(blocked);
    refreshCurrentArea();
}

void TForm1::numericShapeChosen(int shape) {
    const bool blocked = m_shapeList->blockSignals(true);
    m_shapeList->setCurrentIndex(std::clamp(shape, 0, avz::kShapeRatio));
    m_shapeList->blockSignals(blocked);
    showAreaStatus();
    m_viewPanel->update();
}

void TForm1::numericAreaCommitted(int) {
    placeHandles();
    repaintView();
}

void TForm1::numericPartitionsSwapped() {
    placeHandles();
    repaintView();
}

void TForm1::focusMainView() {
    if (canTakeFocus()) m_viewPanel->setFocus();
}
