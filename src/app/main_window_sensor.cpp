// TForm1: identification, the detection workflow's side of the window, the "Sensor" menu and the version
// window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include "app/main_window.h"
#include "areas/numeric_input_window.h"
#include "link/speed_change.h"
#include "record/data_record_window.h"
#include "sensor/sensor_catalogue.h"
#include "sensor/version_content.h"
#include "sensor/version_window.h"
#include "tools/fram_editor_window.h"

namespace {

std::vector<std::string> itemsOf(const QComboBox* box) {
    std::vector<std::string> items;
    if (!box) return items;
    for (int i = 0; i < box->count(); ++i) items.push_back(box->itemText(i).toStdString());
    return items;
}

// Rewrites a list's entries without running its change action: the caller selects afterwards.
void setItems(QComboBox* box, const std::vector<std::string>& items) {
    if (!box) return;
    const bool blocked = box->blockSignals(true);
    while (box->count() > static_cast<int>(items.size())) box->removeItem(box->count() - 1);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QString text = QString::fromStdString(items[i]);
        if (static_cast<int>(i) < box->count())
            box->setItemText(static_cast<int>(i), text);
        else
            box->addItem(text);
    }
    box->blockSignals(blocked);
}

}  // namespace

// ---- Wiring ---------------------------------------------------------------------------------------------

void TForm1::wireSensor() {
    m_timer8->setInterval(avz::kDotFrameMs);

    m_fiveMeterBox = new QCheckBox("KVR-38PT-5m", this);
    m_fiveMeterBox->setObjectName("CheckBox5m");
    m_fiveMeterBox->setEnabled(false);
    m_fiveMeterBox->hide();

    using Slot = void (TForm1::*)();
    static const struct {
        const char* name;
        Slot slot;
    } kSlots[] = {{"AutoDetect1", &TForm1::AutoDetect1Click},
                  {"ZETALDM1", &TForm1::ZETALDM1Click},
                  {"VOLDM1", &TForm1::VOLDM1Click},
                  {"QWJ1", &TForm1::QWJ1Click},
                  {"LDM2", &TForm1::LDM2Click},
                  {"LDM1", &TForm1::LDM1Click},
                  {"KVRW611", &TForm1::KVRW611Click},
                  {"KVR17HC1", &TForm1::KVR17HC1Click},
                  {"KVR38PT1", &TForm1::KVR38PT1Click},
                  {"KVR17HCD1", &TForm1::KVR17HCD1Click},
                  {"KVR38PT621", &TForm1::KVR38PT621Click},
                  {"KVR38PTD621", &TForm1::KVR38PTD621Click},
                  {"SensorVersion", &TForm1::SensorVersionClick},
                  {"GraphicsVersion1", &TForm1::GraphicsVersion1Click}};
    for (const auto& s : kSlots)
        if (QAction* a = entry(s.name)) connect(a, &QAction::triggered, this, s.slot);

    // After the menu state's own connections, so the copy sees the final marks.
    for (QAction* a : findChildren<QAction*>())
        if (a->isCheckable()) connect(a, &QAction::toggled, this, &TForm1::pushReaderInputs);
    pushReaderInputs();
}

void TForm1::wireSecondaryWindows() {
    if (m_windowsWired) return;
    m_windowsWired = true;
    if (TForm4* v = m_windows.form4) {
        connect(v, &TForm4::versionRequested, this, [this] { m_link.flags.versionRequested = true; });
        connect(v, &TForm4::captionChanged, this, &TForm1::pushReaderInputs);
    }
    pushReaderInputs();
}

void TForm1::pushReaderInputs() {
    avz::ReaderInputs in;
    in.hoseiChecked = m_menu.hosei;
    in.waveFormChecked = m_menu.waveForm;
    in.ioCheckChecked = m_menu.ioCheck;
    in.areaCount = m_sensor.model.areaCount;
    in.playBackChecked = m_menu.playBack;
    in.standardRecommendedChecked = m_menu.standardUpdate;
    in.developVisible = m_menu.developVisible;
    in.recordingActive = m_recording.active;
    in.versionWindowExists = m_windows.form4 != nullptr;
    if (m_windows.form4) in.versionWindowCaption = m_windows.form4->windowTitle().toStdString();
    m_readerInputs.set(in);
}

// ---- The workflow's entry points ---------------------------------------------------------------------

bool TForm1::detectOnePort(int entry) {
    retireReader();
    const bool found = m_detection.detectOnePort(entry);
    pushReaderInputs();
    return found;
}

bool TForm1::detectAtStart() {
    // The search owns the port: an area transfer clicked inside its waits is refused.
    const avz::ExchangeLock::Hold hold(m_exchangeLock);
    if (!hold) return false;
    retireReader();
    const bool found = m_detection.detectAtStart();
    // With no port at all the search itself changes nothing; the program still says plainly that it is
    // disconnected, so no command acts as if a sensor were there.
    if (!m_link.flags.connected) showDisconnected();
    pushReaderInputs();
    return found;
}

void TForm1::reconnect() {
    if (!m_link.flags.connected) retireReader();
    m_detection.reconnect(m_link.lastPort);
    if (!m_link.flags.connected) showDisconnected();
    pushReaderInputs();
}

// ---- VersionHost ----------------------------------------------------------------------------------------

void TForm1::setFiveMeterBox(bool checked) {
    m_fiveMeterBox->setChecked(checked);
}

void TForm1::hideDetectingPanel() {
    m_detecting->hide();
}

void TForm1::clearVersionTree() {
    if (m_windows.form4) m_windows.form4->clearTree();
}

bool TForm1::numericInputSetAreaActive() const {
    if (!m_windows.form5 || !m_windows.form5->isVisible()) return false;
    for (const QPushButton* b : m_windows.form5->findChildren<QPushButton*>())
        if (b->text() == "Set Area") return b->isEnabled();
    return false;
}

void TForm1::refreshNumericInput() {
    if (m_windows.form5) m_windows.form5->update();
}

bool TForm1::playbackPanelVisible() const {
    return m_playbackPanel && m_playbackPanel->isVisible();
}

bool TForm1::versionWindowShowsSensorVersion() const {
    return m_windows.form4 && m_windows.form4->showsSensorVersion();
}

void TForm1::requestVersion() {
    m_link.flags.versionRequested = true;
}

void TForm1::showVersionRecord(const avz::SensorVersionInfo& info) {
    if (m_windows.form4) m_windows.form4->fill(avz::sensorVersionTree(info));
}

void TForm1::colourVersionTreeSkyBlue() {
    if (m_windows.form4) m_windows.form4->setTreeTextColour(TForm4::skyBlue());
}

void TForm1::newSensorPrompt() {
    m_detection.newSensorPrompt();
    pushReaderInputs();
}

// ---- "Sensor" menu and the version window's entries -------------------------------------------------

void TForm1::applySensorMenuChoice(const char* handler) {
    const avz::SensorMenuChoice* choice = avz::findMenuChoice(handler);
    if (!choice) return;
    avz::applyMenuChoice(*choice, m_sensor.model, m_sensor.autoDetect);
    if (QAction* a = entry("AutoDetect1")) a->setChecked(m_sensor.autoDetect);
    pushReaderInputs();
}

void TForm1::AutoDetect1Click() {
    const QAction* a = entry("AutoDetect1");
    m_sensor.autoDetect = a && a->isChecked();
    // The next polling batch identifies the sensor again.
    if (m_sensor.autoDetect) m_link.flags.versionRequested = true;
}

void TForm1::ZETALDM1Click() {
    applySensorMenuChoice("ZETALDM1Click");
}
void TForm1::VOLDM1Click() {
    applySensorMenuChoice("VOLDM1Click");
}
void TForm1::QWJ1Click() {
    applySensorMenuChoice("QWJ1Click");
}
void TForm1::LDM2Click() {
    applySensorMenuChoice("LDM2Click");
}
void TForm1::LDM1Click() {
    applySensorMenuChoice("LDM1Click");
}
void TForm1::KVRW611Click() {
    applySensorMenuChoice("KVRW611Click");
}
void TForm1::KVR17HC1Click() {
    applySensorMenuChoice("KVR17HC1Click");
}
void TForm1::KVR38PT1Click() {
    applySensorMenuChoice("KVR38PT1Click");
}
void TForm1::KVR17HCD1Click() {
    applySensorMenuChoice("KVR17HCD1Click");
}
void TForm1::KVR38PT621Click() {
    applySensorMenuChoice("KVR38PT621Click");
}
void TForm1::KVR38PTD621Click() {
    applySensorMenuChoice("KVR38PTD621Click");
}

void TForm1::SensorVersionClick() {
    if (m_windows.form4) m_windows.form4->showSensorVersion();
    m_link.flags.versionRequested = true;
}

void TForm1::GraphicsVersion1Click() {
    if (m_windows.form4) m_windows.form4->showGraphicsVersion();
}

// ---- DetectionBridge -----------------------------------------------------------------------------------

std::vector<std::string> DetectionBridge::enumeratePorts() {
    if (m_form.m_services.listPorts) m_form.m_services.ports = m_form.m_services.listPorts();
    std::vector<std::string> ports = m_form.m_services.ports;
    if (ports.size() > static_cast<std::size_t>(TForm1::kPortEntries)) ports.resize(TForm1::kPortEntries);
    return ports;
}

void DetectionBridge::setPortEntries(const std::vector<std::string>& ports) {
    m_form.fillPortMenu(ports);
}

std::string DetectionBridge::portEntryCaption(int entry) const {
    const QAction* a = m_form.portEntry(entry);
    return a && entry <= m_form.portEntryCount() ? a->data().toString().toStdString() : std::string();
}

void DetectionBridge::checkPortEntry(int entry) {
    m_form.checkPortEntry(entry);
}

void DetectionBridge::checkSpeedEntry(int baud) {
    for (int s = 1; s <= 3; ++s)
        if (avz::kSpeeds[s - 1] == baud) m_form.checkSpeedEntry(s);
}

void DetectionBridge::checkDisconnect() {
    m_form.checkDisconnect();
}

void DetectionBridge::selectPort(int entry) {
    if (const QAction* a = m_form.portEntry(entry)) m_form.selectPort(a->data().toString(), entry);
}

void DetectionBridge::showConnectionPicture(avz::ConnectionPicture picture) {
    m_form.showConnectionPicture(picture);
}

void DetectionBridge::setStatusConnectionText(const std::string& text) {
    m_form.setPanelText(4, QString::fromStdString(text));
}

void DetectionBridge::showDetectingPanel() {
    m_form.centreDetectingPanel();
    m_form.m_detecting->show();
    m_form.m_detecting->raise();
}

void DetectionBridge::setDetectingPanelText(const std::string& text) {
    m_form.m_detecting->setText(QString::fromStdString(text));
}

void DetectionBridge::startTimer8() {
    m_form.m_detecting->setFrame(0);
    m_form.m_timer8->start(avz::kDotFrameMs);
}

void DetectionBridge::stopTimer8() {
    m_form.m_timer8->stop();
}

bool DetectionBridge::mainWindowEnabled() const {
    return m_form.isEnabled();
}

void DetectionBridge::setMainWindowEnabled(bool enabled) {
    m_form.setEnabled(enabled);
}

void DetectionBridge::clearMultiChannelView() {
    m_form.m_scanRepaint.multiChannelView = false;
}

void DetectionBridge::disableFramWriteButton() {
    m_form.setFramWriteButtonEnabled(false);
}

void DetectionBridge::createReaderThread() {
    m_form.createReaderThread();
}

bool DetectionBridge::developVisible() const {
    return m_form.m_menu.developVisible;
}

bool DetectionBridge::standardRecommendedChecked() const {
    return m_form.m_menu.standardUpdate;
}

bool DetectionBridge::japanese() const {
    return m_form.japaneseSelected();
}

std::vector<std::string> DetectionBridge::areaList() const {
    return itemsOf(m_form.m_areaList);
}

void DetectionBridge::setAreaList(const std::vector<std::string>& entries) {
    setItems(m_form.m_areaList, entries);
}

std::vector<std::string> DetectionBridge::numericAreaList() const {
    return itemsOf(m_form.m_windows.form5 ? m_form.m_windows.form5->areaList() : nullptr);
}

void DetectionBridge::setNumericAreaList(const std::vector<std::string>& entries) {
    if (m_form.m_windows.form5) setItems(m_form.m_windows.form5->areaList(), entries);
}

void DetectionBridge::setAreasHidden() {
    m_form.m_areas.areasHidden = true;
}

void DetectionBridge::selectFirstAreaAndShape() {
    m_form.m_areaList->setCurrentIndex(0);
    m_form.m_shapeList->setCurrentIndex(0);
    if (TForm5* n = m_form.m_windows.form5) {
        n->areaList()->setCurrentIndex(0);
        n->shapeList()->setCurrentIndex(0);
    }
    // The area list's change action: the first area's handles, shape and status text.
    m_form.refreshCurrentArea();
}

void DetectionBridge::setStepFields(int step) {
    m_form.setFrontStep(step);
}

void DetectionBridge::hideNumericInputAndDataRecord() {
    if (m_form.m_windows.form5) m_form.m_windows.form5->hide();
    if (m_form.m_windows.form3) m_form.m_windows.form3->hide();
}

void DetectionBridge::focusViewPanelIfEnabled() {
    if (m_form.isEnabled() && m_form.m_viewPanel->isEnabled()) m_form.m_viewPanel->setFocus();
}

void DetectionBridge::setWaveformStepIfVisible(int) {
    // The waveform window has no step field yet.
}

void DetectionBridge::setIoCheckFifthInputEnabled(bool) {
    // The I/O check window has no input boxes yet.
}

void DetectionBridge::disableFramWriteButtonIfVisible() {
    if (m_form.m_windows.form6 && m_form.m_windows.form6->isVisible())
        m_form.setFramWriteButtonEnabled(false);
}

void DetectionBridge::setFiveMeterBox(bool checked) {
    m_form.setFiveMeterBox(checked);
}

void DetectionBridge::hideDetectingPanel() {
    m_form.hideDetectingPanel();
}

void DetectionBridge::clearVersionTree() {
    m_form.clearVersionTree();
}
