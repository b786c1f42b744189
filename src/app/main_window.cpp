// TForm1: construction, start-up, settings and shutdown of the main window.
#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

#include "app/captions.h"
#include "app/settings.h"
#include "areas/numeric_input_window.h"
#include "firmware/update_options_window.h"
#include "record/data_record_window.h"
#include "sensor/version_window.h"
#include "tools/correction_record_window.h"
#include "tools/correction_window.h"
#include "tools/fram_editor_window.h"
#include "tools/io_check_window.h"
#include "tools/mode_select_window.h"
#include "tools/waveform_window.h"

namespace {

// The area editor's two cursors: an arrow up and an arrow down over a bar.
QCursor drawnCursor(bool up) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    const QPolygon head = up ? QPolygon({QPoint(8, 0), QPoint(14, 7), QPoint(2, 7)})
                             : QPolygon({QPoint(8, 15), QPoint(14, 8), QPoint(2, 8)});
    p.drawPolygon(head);
    p.drawRect(up ? QRect(6, 7, 4, 7) : QRect(6, 1, 4, 7));
    return QCursor(pm, 8, up ? 0 : 15);
}

}  // namespace

TForm1::TForm1(avz::AppServices& services, QWidget* parent)
    : QMainWindow(parent),
      m_services(services),
      m_scan(std::make_unique<avz::ScanFrame>()),
      m_playback(std::make_unique<avz::PlaybackBuffer>()),
      m_timer1(new QTimer(this)),
      m_timer4(new QTimer(this)),
      m_timer8(new QTimer(this)),
      m_timer2(services.pump),
      m_timer3(services.pump),
      m_timer5(services.pump),
      m_timer7(services.pump) {
    setObjectName("Form1");
    setWindowTitle("VIZ Avuzevi");

    avz::fillDistanceLabels(m_view);

    m_timer1->setObjectName("Timer1");
    m_timer1->setInterval(avz::kTimer1IntervalMs);
    connect(m_timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    m_timer4->setObjectName("Timer4");
    m_timer4->setInterval(avz::kTimer4IntervalMs);
    connect(m_timer4, &QTimer::timeout, this, &TForm1::Timer4Timer);
    m_timer8->setObjectName("Timer8");
    m_timer8->setInterval(avz::kTimer8IntervalMs);
    connect(m_timer8, &QTimer::timeout, this, &TForm1::Timer8Timer);
    m_timer1->start();
    m_timer4->start();

    m_scanView = new avz::ScanViewWidget(this);
    m_viewPanel = m_scanView;
    setCentralWidget(m_viewPanel);
    m_detecting = new avz::DetectingPanel(m_viewPanel);

    buildMenus();
    buildToolBar();
    buildStatusBar();
    buildRecordingUi();
    fillPortMenu(m_services.ports);
    syncMenuState();
    setupView();
    resize(500, 500);
    wireSensor();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    m_cursorUp = drawnCursor(true);
    m_cursorDown = drawnCursor(false);

    applyMainSettings(avz::readMainSettings(m_services.settings, m_misc.languageJapanese).values);
    applyStartSwitches();
}

void TForm1::showAndDetect() {
    wireSecondaryWindows();
    // The window stays disabled behind the detecting panel until the search ends.
    m_viewPanel->move(0, 0);
    centreDetectingPanel();
    setEnabled(false);
    show();
    m_timer8->start();
    const bool found = detectAtStart();
    if (found) showConnectionPicture(avz::ConnectionPicture::Connected);
    m_timer8->stop();
    m_detecting->hide();
    setEnabled(true);
}

void TForm1::applyMainSettings(avz::MainSettings s) {
    resize(s.width, s.height);
    avz::correctMainPlacement(s, width(), height());
    resize(s.width, s.height);
    move(s.left, s.top);
    m_view.mRate = s.mRate;
    m_view.zoom = s.zoom;
    m_view.magX = s.magX;
    m_view.magY = s.magY;
    m_misc.languageJapanese = s.languageJapanese;
}

avz::AllSettings TForm1::collectSettings() const {
    avz::AllSettings all;
    all.main.left = x();
    all.main.top = y();
    all.main.height = height();
    all.main.width = width();
    all.main.mRate = m_view.mRate;
    all.main.zoom = m_view.zoom;
    all.main.languageJapanese = m_misc.languageJapanese;
    all.main.magX = m_view.magX;
    all.main.magY = m_view.magY;
    if (m_windows.form3) all.dataRecord = m_windows.form3->currentSettings();
    if (m_windows.form4) all.version = m_windows.form4->currentSettings();
    if (m_windows.form7) all.waveform = m_windows.form7->currentSettings();
    if (m_windows.form6) all.fram = m_windows.form6->currentSettings();
    if (m_windows.form9) all.ioCheck = m_windows.form9->currentSettings();
    if (m_windows.form5) all.numericInput = m_windows.form5->currentSettings();
    if (m_windows.form8) all.correction = m_windows.form8->currentSettings();
    return all;
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::FormShow() {
    if (!m_misc.languageJapanese) return;
    entry("Japanese")->setChecked(true);
    applyCaptions(true, false);
    const bool blocked = m_areaList->blockSignals(true);
    for (int i = 0; i < m_areaList->count(); ++i)
        m_areaList->setItemText(i, QString::fromStdString(avz::areaName(i + 1, true)));
    for (int i = 0; i < m_shapeList->count() && i < avz::kShapeCount; ++i)
        m_shapeList->setItemText(i, QString::fromStdString(avz::shapeName(i, true)));
    m_areaList->setCurrentIndex(0);
    m_shapeList->setCurrentIndex(0);
    m_areaList->blockSignals(blocked);
    syncMenuState();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    event->accept();
}

void TForm1::FormClose() {
    if (avz::askToSaveAreas(m_areas.areasChanged, m_services.dialogs, japaneseSelected()) ==
        avz::SavePromptAnswer::Yes)
        SaveAreaFile1Click();
    TForm3* record = m_windows.form3;
    if (m_recording.blockSize != 0 && record && !record->dataSaved() && record->cellText(1, 0) == "1") {
        const std::string text = avz::DataRecord::saveQuestionText(japaneseSelected());
        if (m_services.dialogs.message(text, "Data", avz::Buttons::YesNo, avz::Icon::Information) ==
            avz::Answer::Yes)
            record->Save1Click();
    }
    m_misc.languageJapanese = japaneseSelected();
    avz::writeAllSettings(m_services.settings, collectSettings());

    m_link.flags.shuttingDown = true;
    m_player->stop();
    // An exchange in progress ends on its own time-out.
    while (m_timer2.enabled()) {
        m_services.pump.sleepMs(10);
        m_services.pump.processEvents();
    }

    m_link.flags.versionRequested = false;
    m_timer4->stop();
    m_timer1->stop();
    m_timer8->stop();
    if (m_windows.form9 && m_windows.form9->isVisible()) m_windows.form9->close();
    // The reader loop watches these flags and ends its thread on them.
    m_link.flags.pollingEnabled = false;
    if (m_services.reader && m_readerSuspended) {
        m_services.reader->resume();
        m_readerSuspended = false;
    }
    // The reader's thread ends on shuttingDown; it must be gone before the port closes.
    retireReader();
    m_services.link.close();
    for (QWidget* w : std::initializer_list<QWidget*>{m_windows.form3, m_windows.form6, m_windows.form7,
                                                      m_windows.form8, m_windows.form10, m_windows.form11})
        if (w) w->close();
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::Timer1Timer() {
    avz::watchdogExpiry(m_link.flags, *this);
}

void TForm1::Timer4Timer() {
    m_link.flags.versionRequested = true;
}

void TForm1::Timer8Timer() {
    m_detecting->setFrame(m_detecting->frame() + 1);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutStatusBar();
    centreDetectingPanel();
    FormResize();
}

void TForm1::centreDetectingPanel() {
    m_detecting->move((m_viewPanel->width() - m_detecting->width()) / 2,
                      (m_viewPanel->height() - m_detecting->height()) / 2);
    m_detecting->raise();
}

void TForm1::layoutStatusBar() {
    const avz::StatusLayout l = avz::statusLayout(width());
    int left = 0;
    const int h = m_statusBar->height();
    for (int i = 0; i < 5; ++i) {
        m_panels[i]->setGeometry(left, 0, l.panelWidths[i], h);
        left += l.panelWidths[i];
    }
    m_progress->setGeometry(l.progressLeft, avz::kProgressTop, std::max(0, l.progressWidth), h - 4);
    m_pictureLabel->move(l.pictureLeft, avz::kPictureTop);
    m_lamp->move(l.lampLeft, avz::kLampTop);
    m_progress->raise();
    m_pictureLabel->raise();
    m_lamp->raise();
}

void TForm1::setPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < 5) m_panels[panel]->setText(text);
}

QString TForm1::panelText(int panel) const {
    return panel >= 0 && panel < 5 ? m_panels[panel]->text() : QString();
}

QWidget* TForm1::statusPanel(int panel) const {
    return panel >= 0 && panel < 5 ? m_panels[panel] : nullptr;
}

void TForm1::showConnectionPicture(avz::ConnectionPicture picture) {
    m_picture = picture;
    // The lamp is the reader's own indicator and keeps its colour.
    m_pictureLabel->setPixmap(avz::connectionPixmap(picture));
}
