// TForm1: the reader thread's outputs in the GUI thread, its creation and end, and the dispatcher's targets.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include "app/main_window.h"
#include "areas/numeric_input_window.h"
#include "sensor/detection.h"
#include "sensor/version_window.h"
#include "tools/fram_editor_window.h"

// ---- The reader thread ------------------------------------------------------------------------------------

void TForm1::createReaderThread() {
    ++m_readerThreadsCreated;
    retireReader();
    pushReaderInputs();
    if (!m_link.flags.connected) {
        // A reader started now would end at its first turn; what it leaves behind is its start-up.
        startTimer1(avz::kWatchdogStartMs);
        startTimer4();
        return;
    }
    // Tests on virtual time step the reader loop themselves.
    if (!m_services.readerThread) return;
    m_reader = std::make_unique<TRead>(m_services.link, m_link.flags, m_readerInputs, *this);
    setReaderGate(m_reader.get());
    m_reader->start();
}

void TForm1::retireReader() {
    if (!m_reader) return;
    if (m_services.reader == m_reader.get()) m_services.reader = nullptr;
    m_readerSuspended = false;
    if (m_handOverDepth == 0) {
        m_reader.reset();  // asks the loop to end and waits for it
        m_retiredReaders.clear();
        return;
    }
    // Inside a hand-over the thread waits for this very call to return: end it later.
    m_reader->requestTerminate();
    m_retiredReaders.push_back(std::move(m_reader));
    QTimer::singleShot(0, this, [this] {
        if (m_handOverDepth == 0) m_retiredReaders.clear();
    });
}

// ---- ReaderOutputs ----------------------------------------------------------------------------------------

void TForm1::setLamp(avz::Lamp lamp) {
    m_lampState = lamp;
    m_lamp->setColour(lamp == avz::Lamp::Lime ? QColor(0, 255, 0) : QColor(255, 0, 0));
}

void TForm1::startTimer1(int intervalMs) {
    m_timer1->start(intervalMs);
}

void TForm1::stopTimer1() {
    m_timer1->stop();
}

void TForm1::startTimer4() {
    m_timer4->start(avz::kVersionRefreshMs);
}

void TForm1::stopTimer4() {
    m_timer4->stop();
}

void TForm1::resetAfterWatchdog() {
    // After a lost link, scans that show an area state wait for a plain scan before they are drawn.
    m_scanRepaint.counter = 0;
    m_scanRepaint.multiChannelView = false;
    setFramReadButtonEnabled(true);
}

void TForm1::showBufferExceed(int queued) {
    m_debugLength = QString::number(queued);
    m_services.dialogs.message(avz::kBufferExceedText, avz::kErrorCaption, avz::Buttons::Ok,
                               avz::Icon::Error);
}

void TForm1::handOver(const avz::ReplyEnvelope& reply) {
    m_link.lastCommand.assign(reply.lastCommand);
    ++m_handOverDepth;
    m_dispatcher.dispatch(reply);
    --m_handOverDepth;
    if (!reply.text.empty()) pushReaderInputs();
}

// ---- DispatchTarget ---------------------------------------------------------------------------------------

bool TForm1::bufferEchoChecked() const {
    return m_menu.buffer;
}

bool TForm1::hoseiChecked() const {
    return m_menu.hosei;
}

bool TForm1::ioCheckChecked() const {
    return m_menu.ioCheck;
}

void TForm1::clearDebugMemo() {
    m_debugMemo.clear();
    clearLogReplies();
}

void TForm1::appendDebugMemo(const std::string& text) {
    const QString t = QString::fromStdString(text);
    m_debugMemo += t;
    appendLogReply(t);
}

void TForm1::showDebugLength(int length) {
    m_debugLength = QString::number(length);
    setLogLength(length);
}

void TForm1::showDebugCommand(std::string_view lastCommand) {
    m_debugCommand = QString::fromUtf8(lastCommand.data(), static_cast<qsizetype>(lastCommand.size()));
    setLogCommand(m_debugCommand);
}

void TForm1::setFramWriteButtonEnabled(bool enabled) {
    if (m_windows.form6) m_windows.form6->setWriteEnabled(enabled);
}

void TForm1::setFramReadButtonEnabled(bool enabled) {
    if (!m_windows.form6) return;
    if (auto* read = m_windows.form6->findChild<QPushButton*>("Button1")) read->setEnabled(enabled);
}

void TForm1::enableSensorVersionButton() {
    if (m_windows.form4) m_windows.form4->sensorVersionButton()->setEnabled(true);
}

void TForm1::setAreaComboBoxesEnabled(bool enabled) {
    m_areaList->setEnabled(enabled);
    if (m_windows.form5) m_windows.form5->areaList()->setEnabled(enabled);
}

std::string TForm1::hoseiIntervalCaption() const {
    // The correction window's interval menu; its first item until that window is built.
    return "5sec";
}

bool TForm1::hoseiRepeatChecked() const {
    return false;
}

void TForm1::setHoseiRepeatTimer(int, bool) {}

void TForm1::versionReply(std::string_view text) {
    avz::handleVersionReply(text, m_sensor, *this, m_services.dialogs);
}

void TForm1::correctionReply(std::string_view) {}
void TForm1::framReply(std::string_view) {}
void TForm1::inspectionReply(std::string_view) {}
void TForm1::ioReply(std::string_view) {}

void TForm1::scanReply(std::string_view text) {
    handleScanReply(text);
}
