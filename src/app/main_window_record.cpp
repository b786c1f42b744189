// TForm1: the "Realtime Data" recordings, the playback panel and the "Show All Recorded Data" overlay.
#include <QAction>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include "app/drawn_pictures.h"
#include "app/main_window.h"
#include "app/panel_drag.h"
#include "record/data_record_window.h"
#include "sensor/identify.h"

// What a recording changes in the main window.
class TForm1::RecHost : public avz::RecordingHost {
public:
    explicit RecHost(TForm1& f) : m_f(f) {}
    bool japanese() const override { return m_f.japaneseSelected(); }
    void setProgressMax(int max) override { m_f.m_progress->setMaximum(max); }
    void setProgress(int position) override { m_f.m_progress->setValue(position); }
    // A recording moves the playback to its first frame, like a user moving the slider.
    void setTrackBarPosition(int position) override { m_f.m_player->setPosition(position); }
    void showDataRecord() override {
        if (TForm3* w = m_f.m_windows.form3; w && !w->isVisible()) w->show();
    }
    void closeDataRecord() override {
        if (TForm3* w = m_f.m_windows.form3) w->close();
    }
    void refreshDataRecord() override {
        if (TForm3* w = m_f.m_windows.form3) w->refreshGrid();
    }
    void setStatusText(int panel, const std::string& text) override {
        m_f.setPanelText(panel, QString::fromStdString(text));
    }

private:
    TForm1& m_f;
};

// What playback changes in the main window, and the identification of a file's header line.
class TForm1::PlayHost : public avz::PlaybackHost, public avz::IdentifyHost {
public:
    explicit PlayHost(TForm1& f) : m_f(f) {}
    bool japanese() const override { return m_f.japaneseSelected(); }
    bool connected() const override { return m_f.m_link.flags.connected; }
    bool dataRecordVisible() const override { return m_f.m_windows.form3 && m_f.m_windows.form3->isVisible(); }
    void closeDataRecord() override {
        if (TForm3* w = m_f.m_windows.form3) w->close();
    }
    std::string identify(const std::string& headerText) override {
        m_f.m_sensor.model.name.clear();
        avz::identify(headerText, m_f.m_sensor, *this, m_f.m_services.dialogs);
        return m_f.m_sensor.model.name;
    }
    void setProgressMax(int max) override { m_f.m_progress->setMaximum(max); }
    void setProgress(int position) override { m_f.m_progress->setValue(position); }
    void setTrackBarRange(int max) override {
        const QSignalBlocker quiet(m_f.m_trackBar);
        m_f.m_trackBar->setRange(0, std::max(0, max));
    }
    void setTrackBarPosition(int position) override {
        const QSignalBlocker quiet(m_f.m_trackBar);
        m_f.m_trackBar->setValue(position);
    }
    void setTrackBarHint(const std::string& hint) override {
        m_f.m_trackBar->setToolTip(QString::fromStdString(hint));
    }
    void setPlayBackChecked(bool checked) override {
        if (QAction* a = m_f.entry("PlayBackRecordedData1")) a->setChecked(checked);
        m_f.syncMenuState();
    }
    void showPanel(bool visible) override {
        if (visible)
            m_f.placePlaybackPanel();
        else
            m_f.m_playbackPanel->hide();
    }
    void focusView() override { m_f.m_viewPanel->setFocus(); }
    void clearLiveOverlay() override { m_f.m_scanRepaint.multiChannelView = false; }
    void clearView() override { m_f.m_viewPanel->update(); }
    void repaint() override { m_f.m_viewPanel->update(); }
    void setStatusText(const std::string& text) override { m_f.setPanelText(0, QString::fromStdString(text)); }

    // IdentifyHost: a file's header identifies its model as the sensor's version record does.
    void setFiveMeterBox(bool checked) override { m_f.setFiveMeterBox(checked); }
    void hideDetectingPanel() override { m_f.hideDetectingPanel(); }
    void clearVersionTree() override { m_f.clearVersionTree(); }

private:
    TForm1& m_f;
};

// What the data record window asks of the main window.
class TForm1::RecordWindowHost : public avz::DataRecordHost {
public:
    explicit RecordWindowHost(TForm1& f) : m_f(f) {}
    bool japanese() const override { return m_f.japaneseSelected(); }
    bool shuttingDown() const override { return m_f.m_link.flags.shuttingDown; }
    void setProgress(int position) override { m_f.m_progress->setValue(position); }
    void focusView() override {
        if (m_f.isEnabled() && m_f.m_viewPanel->isEnabled()) m_f.m_viewPanel->setFocus();
    }
    void refresh() override {
        if (TForm3* w = m_f.m_windows.form3) w->refreshGrid();
    }

private:
    TForm1& m_f;
};

// The reader thread as playback pauses it: the one main() plugged in, or none.
class TForm1::RecReaderGate : public avz::ReaderGate {
public:
    explicit RecReaderGate(TForm1& f) : m_f(f) {}
    bool pollReady() const override { return gate().pollReady(); }
    void setPollReady(bool ready) override { gate().setPollReady(ready); }
    bool running() const override { return gate().running(); }
    void suspend() override { gate().suspend(); }
    void resume() override { gate().resume(); }

private:
    avz::ReaderGate& gate() const { return m_f.m_services.reader ? *m_f.m_services.reader : m_none; }
    TForm1& m_f;
    mutable avz::NoReader m_none;
};

void TForm1::buildRecordingUi() {
    m_framePoints = std::make_unique<avz::FramePointTable>();
    m_recordPacer = std::make_unique<avz::RecordPacer>(m_services.pump);
    m_recHost = std::make_shared<RecHost>(*this);
    m_playHost = std::make_shared<PlayHost>(*this);
    m_recordWindowHost = std::make_shared<RecordWindowHost>(*this);
    m_recReader = std::make_shared<RecReaderGate>(*this);
    m_recorder = std::make_unique<avz::Recorder>(
        avz::RecordingParts{m_recording, m_recordTable, *m_playback, m_recordMenu, *m_recordPacer}, *m_recHost,
        m_services.dialogs, m_services.clock);
    m_player = std::make_unique<avz::Playback>(
        avz::PlaybackParts{*m_playback, *m_framePoints, *m_scan, m_sensor.model, m_view, *m_recReader},
        *m_playHost, m_services.pump, m_services.dialogs);

    using Handler = void (TForm1::*)();
    static const struct {
        const char* name;
        Handler handler;
    } kModes[] = {{"N10Scan1", &TForm1::N10Scan1Click},   {"N50Scan1", &TForm1::N50Scan1Click},
                  {"N100Scan1", &TForm1::N100Scan1Click}, {"N250Scan1", &TForm1::N250Scan1Click},
                  {"N500Scan1", &TForm1::N500Scan1Click}, {"N10000Scan1", &TForm1::N10000Scan1Click}};
    for (const auto& m : kModes)
        if (QAction* a = entry(m.name)) connect(a, &QAction::triggered, this, m.handler);
    // The two continuous modes show which one runs by their check marks.
    for (const char* name : {"N500Scan1", "N10000Scan1"})
        if (QAction* a = entry(name)) a->setCheckable(true);
    if (QAction* a = entry("OpenDataFile1")) connect(a, &QAction::triggered, this, &TForm1::OpenDataFile1Click);
    if (auto* b = findChild<QToolButton*>("OpenDataFileButton"))
        connect(b, &QToolButton::clicked, this, &TForm1::OpenDataFile1Click);
    if (QAction* a = entry("PlayBackRecordedData1"))
        connect(a, &QAction::triggered, this, &TForm1::PlayBackRecordedData1Click);
    if (QAction* a = entry("Frame2")) connect(a, &QAction::triggered, this, &TForm1::Frame2Click);
    if (auto* b = findChild<QToolButton*>("SpeedButton15")) {
        b->setCheckable(true);
        connect(b, &QToolButton::clicked, this, &TForm1::SpeedButton15Click);
    }

    m_playbackPanel = new QWidget(this);
    m_playbackPanel->setObjectName("Panel4");
    m_playbackPanel->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(m_playbackPanel);
    row->setContentsMargins(4, 2, 4, 2);
    auto button = [this, row](const char* name, const char* caption, const char* hint, Handler handler) {
        auto* b = new QToolButton(m_playbackPanel);
        b->setObjectName(name);
        b->setText(QString::fromUtf8(caption));
        b->setToolTip(QString::fromUtf8(hint));
        connect(b, &QToolButton::clicked, this, handler);
        row->addWidget(b);
    };
    button("SpeedButton13", "\u25B6", "Play", &TForm1::SpeedButton13Click);
    button("SpeedButton18", "\u25B6\u25B6", "Fast Play", &TForm1::SpeedButton18Click);
    button("SpeedButton14", "\u25A0", "Stop", &TForm1::SpeedButton14Click);
    m_trackBar = new QSlider(Qt::Horizontal, m_playbackPanel);
    m_trackBar->setObjectName("TrackBar1");
    m_trackBar->setRange(0, 0);
    connect(m_trackBar, &QSlider::valueChanged, this, &TForm1::TrackBar1Change);
    row->addWidget(m_trackBar, 1);
    auto* close = new QPushButton("Close", m_playbackPanel);
    close->setObjectName("BitBtn1");
    connect(close, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    row->addWidget(close);
    m_playbackPanel->setFixedSize(360, 34);
    new avz::PanelDrag(m_playbackPanel, m_viewPanel, [this] { Panel4MouseDown(); }, [this](int dropX, int dropY, bool onView) {
        if (onView) Panel1DropPanel(dropX, dropY);
        Panel4EndDrag();
    });
    m_playbackPanel->hide();
}

void TForm1::attachRecordWindow() {
    TForm3* w = m_windows.form3;
    if (!w) return;
    w->attach(avz::RecordingParts{m_recording, m_recordTable, *m_playback, m_recordMenu, *m_recordPacer},
              m_sensor.model, *m_recordWindowHost, m_services.dialogs, m_services.clock);
    // Closing the window ends a recording, which also clears the "250x40 Scan" mark.
    connect(w, &TForm3::closed, this, &TForm1::showRecordChecks, Qt::UniqueConnection);
}

void TForm1::showRecordChecks() {
    if (QAction* a = entry("N500Scan1")) a->setChecked(m_recordMenu.every40Checked);
    if (QAction* a = entry("N10000Scan1")) a->setChecked(m_recordMenu.autoChecked);
}

void TForm1::startRecording(avz::RecordMode mode) {
    m_recorder->start(mode);
    showRecordChecks();
}

void TForm1::N10Scan1Click() { startRecording(avz::RecordMode::Scan10); }
void TForm1::N50Scan1Click() { startRecording(avz::RecordMode::Scan50); }
void TForm1::N100Scan1Click() { startRecording(avz::RecordMode::Scan100); }
void TForm1::N250Scan1Click() { startRecording(avz::RecordMode::Scan250); }
void TForm1::N500Scan1Click() { startRecording(avz::RecordMode::Every40); }
void TForm1::N10000Scan1Click() { startRecording(avz::RecordMode::Auto); }

void TForm1::recordingStoreStep(int step, std::int32_t distance) {
    m_recorder->storeStep(step, distance);
}

void TForm1::recordingRecordScan() {
    if (m_recordPacer->running()) return;
    m_recorder->recordScan(m_scan->distances.data(), m_sensor.model.stepCount);
    // The end of a block may have ended the recording and its mode.
    showRecordChecks();
}

void TForm1::recordingStartTimer() {
    // The scan just recorded may have ended the block: the pacer then stays off, so the next recording takes its
    // first scan at once.
    if (!m_recording.active) return;
    m_recordPacer->start();
}

bool TForm1::recordingTimerRunning() const {
    return m_recordPacer->running();
}

void TForm1::OpenDataFile1Click() {
    m_player->openDataFile();
}

void TForm1::placePlaybackPanel() {
    const avz::Point origin = m_view.origin();
    const QPoint originInWindow = m_viewPanel->mapTo(this, QPoint(origin.x, origin.y));
    const avz::PanelPlacement p =
        avz::playbackPanelPlacement(originInWindow.x(), m_playbackPanel->width(), m_playbackPanel->height(),
                                    height(), frameGeometry().height());
    m_playbackPanel->move(p.left, p.top);
    m_playbackPanel->setVisible(p.visible);
    if (p.visible) m_playbackPanel->raise();
}

void TForm1::PlayBackRecordedData1Click() {
    const QAction* a = entry("PlayBackRecordedData1");
    if (a && a->isChecked())
        placePlaybackPanel();
    else
        m_playbackPanel->hide();
    syncMenuState();
}

void TForm1::TrackBar1Change(int position) {
    m_player->trackBarChanged(position);
}

void TForm1::SpeedButton13Click() { m_player->play(); }
void TForm1::SpeedButton18Click() { m_player->fastPlay(); }
void TForm1::SpeedButton14Click() { m_player->stop(); }
void TForm1::BitBtn1Click() { m_player->closePanel(); }

void TForm1::showRecordedDataPicture() {
    // The toolbar button has a picture for each state.
    if (auto* b = findChild<QToolButton*>("SpeedButton15")) {
        b->setChecked(m_player->showAll());
        b->setIcon(avz::glyphIcon(m_player->showAll() ? avz::Glyph::RecordedDataShown : avz::Glyph::RecordedData));
    }
    if (QAction* a = entry("Frame2")) a->setChecked(m_player->showAll());
    syncMenuState();
}

void TForm1::Frame2Click() {
    m_player->toggleShowAll();
    showRecordedDataPicture();
}

void TForm1::SpeedButton15Click() {
    m_player->toggleShowAll();
    showRecordedDataPicture();
    m_viewPanel->update();
}

TForm1::RecordedOverlay TForm1::recordedOverlay() const {
    return RecordedOverlay{m_framePoints.get(), m_player->overlayFrames(), m_player->overlayPoints()};
}
