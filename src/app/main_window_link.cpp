// TForm1: the port and speed menus, "Com Close" and "Reconnect".
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include "app/main_window.h"
#include "link/speed_change.h"
#include "record/data_record_window.h"
#include "tools/fram_editor_window.h"

void TForm1::fillPortMenu(const std::vector<std::string>& ports) {
    m_portCount = std::min(static_cast<int>(ports.size()), kPortEntries);
    for (int k = 1; k <= kPortEntries; ++k) {
        QAction* a = m_portEntries[k - 1];
        const bool used = k <= m_portCount;
        if (used) {
            const QString path = QString::fromStdString(ports[static_cast<std::size_t>(k - 1)]);
            a->setData(path);
            a->setText(QString(path).replace('&', "&&"));
        }
        a->setVisible(used);
        if (!used) a->setChecked(false);
    }
    m_portSeparator->setVisible(true);
    syncMenuState();
}

QAction* TForm1::portEntry(int entry) const {
    return entry >= 1 && entry <= kPortEntries ? m_portEntries[entry - 1] : nullptr;
}

int TForm1::checkedPortEntry() const {
    for (int k = 1; k <= m_portCount; ++k)
        if (m_portEntries[k - 1]->isChecked()) return k;
    return 0;
}

void TForm1::checkPortEntry(int entry) {
    if (QAction* a = portEntry(entry)) a->setChecked(true);
}

void TForm1::checkDisconnect() {
    m_disconnect->setChecked(true);
}

int TForm1::checkedSpeedEntry() const {
    for (int s = 1; s <= 3; ++s)
        if (m_speeds[s - 1] && m_speeds[s - 1]->isChecked()) return s;
    return 0;
}

void TForm1::checkSpeedEntry(int entry) {
    if (entry >= 1 && entry <= 3) m_speeds[entry - 1]->setChecked(true);
}

int TForm1::checkedBaud() const {
    const int s = checkedSpeedEntry();
    return s == 0 ? 0 : avz::kSpeeds[s - 1];
}

QString TForm1::speedCaption(int entry) const {
    return entry >= 1 && entry <= 3 ? m_speeds[entry - 1]->text() : QString();
}

void TForm1::connectedOn(int entry) {
    m_link.flags.connected = true;
    checkPortEntry(entry);
    for (int s = 1; s <= 3; ++s)
        if (avz::kSpeeds[s - 1] == m_services.link.baud()) checkSpeedEntry(s);
    const QAction* port = portEntry(entry);
    setPanelText(4, "    " + (port ? port->data().toString() : QString()) + " (" +
                        speedCaption(checkedSpeedEntry()) + ")");
    showConnectionPicture(avz::ConnectionPicture::Connected);
}

void TForm1::showDisconnected() {
    checkDisconnect();
    showConnectionPicture(avz::ConnectionPicture::Disconnected);
    setPanelText(4, "    (Disconnected)");
    m_services.link.close();
}

void TForm1::suspendReader() {
    if (m_services.reader && m_services.reader->running()) {
        m_services.reader->suspend();
        m_readerSuspended = true;
    }
}

void TForm1::resumeReader() {
    if (m_services.reader && m_readerSuspended) {
        m_services.reader->resume();
        m_readerSuspended = false;
    }
}

void TForm1::selectPort(const QString& caption, int entry) {
    if (m_windows.form6) m_windows.form6->setWriteEnabled(false);
    m_scanRepaint.multiChannelView = false;
    if (!m_link.flags.connected) {
        detectOnePort(entry);
        return;
    }
    QAction* a = portEntry(entry);
    if (!a) return;
    if (!a->isChecked()) {
        // The click unchecked the entry that was already selected: nothing changes.
        a->setChecked(true);
        return;
    }
    // The reader parks first: closing the port under a running reader would race its reads.
    suspendReader();
    m_services.link.close();
    m_services.pump.sleepMs(100);
    if (!m_services.link.open(caption.toStdString(), checkedBaud())) {
        m_services.dialogs.message("COM ERROR 3:: COULD NOT OPEN PORT", "COM ERROR", avz::Buttons::Ok,
                                   avz::Icon::Error);
        checkDisconnect();
        return;
    }
    if (m_readerSuspended) {
        m_link.flags.watchdogExpired = true;
        m_link.flags.pollReady = true;
        m_link.flags.versionRequested = true;
        resumeReader();
    }
    setPanelText(4, "     " + caption + " (" + speedCaption(checkedSpeedEntry()) + ")");
}

void TForm1::changeSpeed(int s) {
    if (s < 1 || s > 3) return;
    if (!m_speeds[s - 1]->isChecked()) {
        m_speeds[s - 1]->setChecked(true);
        return;
    }
    if (m_portCount == 0) return;
    if (m_disconnect->isChecked()) {
        m_services.dialogs.message("CANNOT CHANGE SPEED WHEN DISCONNECTED", "COM ERROR", avz::Buttons::Ok,
                                   avz::Icon::Error);
        return;
    }
    const int k = checkedPortEntry();
    if (k == 0) return;
    QAction* port = portEntry(k);
    const QString caption = port->data().toString();
    port->setChecked(false);
    if (m_link.flags.connected) suspendReader();

    m_timer2.start(avz::kSpeedChangeTimeoutMs);
    const avz::SpeedChangeResult r =
        avz::requestSpeedChange(m_services.link, m_services.pump, m_link.commands, avz::kSpeeds[s - 1]);
    m_timer2.stop();
    // The window was closed during the wait: the port stays as closing left it.
    if (m_closed || m_link.flags.shuttingDown) return;
    if (r.statusTextNew) setPanelText(4, "    " + caption + " (" + speedCaption(s) + ")");

    // The local speed follows whether or not the sensor acknowledged.
    port->setChecked(true);
    selectPort(caption, k);
}

void TForm1::closeLink() {
    if (!m_services.link.isOpen()) return;
    m_scanRepaint.multiChannelView = false;
    if (m_windows.form6) m_windows.form6->setWriteEnabled(false);
    if (m_windows.form3 && m_windows.form3->isVisible()) m_windows.form3->hide();
    m_link.lastPort = checkedPortEntry();
    m_link.flags.pollingEnabled = false;
    // The reader must be off the port before it closes.
    suspendReader();
    m_services.link.close();
    m_services.pump.sleepMs(100);
    showConnectionPicture(avz::ConnectionPicture::Disconnected);
    if (m_link.flags.shuttingDown) return;
    checkDisconnect();
    setPanelText(4, "    (Disconnected)");
    // The reader loop ends its thread once the link is no longer connected.
    m_link.flags.connected = false;
    if (TRead* reader = readerThread()) reader->requestTerminate();
    resumeReader();
}

void TForm1::Com11Click() {
    withPort([this] { selectPort(m_portEntries[0]->data().toString(), 1); });
}
void TForm1::Com21Click() {
    withPort([this] { selectPort(m_portEntries[1]->data().toString(), 2); });
}
void TForm1::Com31Click() {
    withPort([this] { selectPort(m_portEntries[2]->data().toString(), 3); });
}
void TForm1::COM41Click() {
    withPort([this] { selectPort(m_portEntries[3]->data().toString(), 4); });
}
void TForm1::COM51Click() {
    withPort([this] { selectPort(m_portEntries[4]->data().toString(), 5); });
}
void TForm1::COM61Click() {
    withPort([this] { selectPort(m_portEntries[5]->data().toString(), 6); });
}
void TForm1::COM71Click() {
    withPort([this] { selectPort(m_portEntries[6]->data().toString(), 7); });
}
void TForm1::COM81Click() {
    withPort([this] { selectPort(m_portEntries[7]->data().toString(), 8); });
}
void TForm1::COM91Click() {
    withPort([this] { selectPort(m_portEntries[8]->data().toString(), 9); });
}
void TForm1::COM101Click() {
    SpeedButton4Click();
}
void TForm1::N11Click() {
    withPort([this] { changeSpeed(1); });
}
void TForm1::N21Click() {
    withPort([this] { changeSpeed(2); });
}
void TForm1::N31Click() {
    withPort([this] { changeSpeed(3); });
}
void TForm1::SpeedButton4Click() {
    withPort([this] { closeLink(); });
}

void TForm1::SpeedButton12Click() {
    withPort([this] { reconnect(); });
}

void TForm1::withPort(const std::function<void()>& use) {
    // A click let through by a running exchange's wait loop must not touch the port under it.
    const avz::ExchangeLock::Hold hold(m_exchangeLock);
    if (!hold) return;
    use();
}
