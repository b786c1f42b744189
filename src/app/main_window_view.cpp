// TForm1: the live view — scan replies, repaint, zoom, pan and read-out, the rendering menus, printing, the step
// panel, the log panes and the screen image.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <functional>

#include "app/main_window.h"
#include "app/panel_drag.h"
#include "record/data_record_window.h"
#include "sensor/version_record.h"
#include "view/step_panel.h"
#include "view/view_renderer.h"

namespace {

constexpr int kLogMaxChars = 300000;
constexpr const char* kDisconnectedCaption = "Sensor is Disconnected";

// Calls back on focus changes and presses of a widget, for the handlers named after those events.
class EventWatch : public QObject {
public:
    EventWatch(QObject* parent, std::function<void(QEvent::Type)> onEvent)
        : QObject(parent), m_onEvent(std::move(onEvent)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type t = event->type();
        if (t == QEvent::FocusIn || t == QEvent::FocusOut || t == QEvent::MouseButtonPress) m_onEvent(t);
        if (t == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Shift) m_onEvent(t);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(QEvent::Type)> m_onEvent;
};

}  // namespace

// What the scan decoder asks of the main window; the recording's hooks go to the recorder.
class ViewScanHost : public avz::ScanHost {
public:
    explicit ViewScanHost(TForm1& form) : m_form(form) {}
    void repaint() override { m_form.repaintView(); }
    void refreshFramEditor() override {}
    void storeStep(int step, std::int32_t distance) override { m_form.recordingStoreStep(step, distance); }
    void recordScan() override { m_form.recordingRecordScan(); }
    void startRecordTimer() override { m_form.recordingStartTimer(); }
    void enableFramRead() override { m_form.setFramReadButtonEnabled(true); }
    void stopRecording() override {
        m_form.m_recording.active = false;
        m_form.m_recording.blockSize = 0;
        m_form.m_playback->setFrameCount(0);
    }
    void resetDataRecord() override {
        if (m_form.m_windows.form3) m_form.m_windows.form3->Reset1Click();
        else m_form.m_recordTable.clear();
    }
    // The dump goes into the data record window's table, which then needs its 156 rows.
    avz::TextGrid& dataRecordTable() override {
        if (m_form.m_recordTable.rows() < 156) m_form.m_recordTable.setRowCount(156);
        m_dumped = true;
        return m_form.m_recordTable;
    }
    ~ViewScanHost() override {
        if (m_dumped && m_form.m_windows.form3) m_form.m_windows.form3->refreshGrid();
    }

private:
    TForm1& m_form;
    bool m_dumped = false;
};


void TForm1::setupView() {
    m_scanView->setFocusPolicy(Qt::StrongFocus);
    connect(m_scanView, &avz::ScanViewWidget::mousePressed, this, &TForm1::Panel1MouseDown);
    connect(m_scanView, &avz::ScanViewWidget::mouseMoved, this, &TForm1::Panel1MouseMove);
    connect(m_scanView, &avz::ScanViewWidget::mouseReleased, this, &TForm1::Panel1MouseUp);
    connect(m_scanView, &avz::ScanViewWidget::clicked, this, [this](int, int) { Panel1Click(); });
    connect(m_scanView, &avz::ScanViewWidget::wheelTurned, this, [this](int steps) {
        for (int i = 0; i < steps; ++i) FormMouseWheelUp();
        for (int i = 0; i > steps; --i) FormMouseWheelDown();
    });
    m_scanView->installEventFilter(new EventWatch(this, [this](QEvent::Type t) {
        if (t == QEvent::KeyPress) FormKeyDown(Qt::Key_Shift);
    }));

    auto onAction = [this](const char* name, void (TForm1::*slot)()) {
        if (QAction* a = entry(name)) connect(a, &QAction::triggered, this, slot);
    };
    onAction("ZoomUp1", &TForm1::ZoomUp1Click);
    onAction("ZoomDown1", &TForm1::ZoomDown1Click);
    onAction("ResetView1", &TForm1::ResetView1Click);
    onAction("N0deg1", &TForm1::N0deg1Click);
    onAction("N90deg1", &TForm1::N90deg1Click);
    onAction("N180deg1", &TForm1::N180deg1Click);
    onAction("N270deg1", &TForm1::N270deg1Click);
    onAction("Lines1", &TForm1::Lines1Click);
    onAction("Points1", &TForm1::Points1Click);
    onAction("Frame1", &TForm1::Frame1Click);
    onAction("Area2", &TForm1::Area2Click);
    onAction("Straight1", &TForm1::Straight1Click);
    onAction("Circular1", &TForm1::Circular1Click);
    onAction("Both1", &TForm1::Both1Click);
    onAction("Gray1", &TForm1::Gray1Click);
    onAction("Blue1", &TForm1::Blue1Click);
    onAction("Green1", &TForm1::Green1Click);
    onAction("Print1", &TForm1::Print1Click);
    onAction("StepData", &TForm1::StepDataClick);
    onAction("Buffer1", &TForm1::Buffer1Click);
    onAction("SaveImage1", &TForm1::SaveImage1Click);
    onAction("Visible1", &TForm1::Visible1Click);

    auto onButton = [this](const char* name, void (TForm1::*slot)()) {
        if (auto* b = m_toolBar->findChild<QToolButton*>(name)) connect(b, &QToolButton::clicked, this, slot);
    };
    onButton("SpeedButton17", &TForm1::SpeedButton17Click);
    onButton("SpeedButton16", &TForm1::SpeedButton16Click);
    onButton("SpeedButton11", &TForm1::SpeedButton11Click);
    onButton("SpeedButton10", &TForm1::SpeedButton10Click);
    onButton("SpeedButton3", &TForm1::SpeedButton3Click);
    onButton("SpeedButton8", &TForm1::SpeedButton8Click);
    onButton("SpeedButton9", &TForm1::SpeedButton9Click);
    onButton("SpeedButton7", &TForm1::SpeedButton7Click);
    for (const char* name : {"SpeedButton17", "SpeedButton16", "SpeedButton3"})
        if (auto* b = m_toolBar->findChild<QToolButton*>(name)) b->setCheckable(true);
    if (auto* b = m_toolBar->findChild<QToolButton*>("SpeedButton3")) b->setChecked(true);
    m_toolBar->installEventFilter(new EventWatch(this, [this](QEvent::Type t) {
        if (t == QEvent::MouseButtonPress) ToolBar1Click();
    }));

    // The area and shape lists: only the user's own choices run the change handlers.
    connect(m_areaList, &QComboBox::activated, this, [this](int) { ComboBox1Change(); });
    if (m_areaList->lineEdit()) {
        connect(m_areaList->lineEdit(), &QLineEdit::textEdited, this, [this](const QString&) { ComboBox1Change(); });
    }
    connect(m_shapeList, &QComboBox::activated, this, [this](int) { ComboBox2Change(); });
    m_areaList->installEventFilter(new EventWatch(this, [this](QEvent::Type t) {
        if (t == QEvent::FocusOut) ComboBox1Exit();
        else ComboBox1Enter();  // focus or the list opened
    }));
    m_shapeList->installEventFilter(new EventWatch(this, [this](QEvent::Type t) {
        if (t == QEvent::FocusOut) ComboBox2Exit();
        else if (t == QEvent::MouseButtonPress) m_comboInUse = true;
    }));

    buildStepPanel();
    buildLogPanes();
    m_view.reset();
    // "Gray" is the scheme at start: the window takes its colour now, not only once a scheme is chosen.
    applyScheme(avz::ColourScheme::Gray);
}

void TForm1::buildStepPanel() {
    m_stepPanel = new QFrame(this);
    m_stepPanel->setObjectName("Panel2");
    m_stepPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_stepPanel->setAutoFillBackground(true);
    QPalette pal = m_stepPanel->palette();
    pal.setColor(QPalette::Window, QColor(192, 220, 192));
    m_stepPanel->setPalette(pal);
    m_stepPanel->resize(177, 43);
    QFont small = m_stepPanel->font();
    small.setPixelSize(10);
    m_stepPanel->setFont(small);
    m_radioButton1 = new QRadioButton("Step", m_stepPanel);
    m_radioButton1->setObjectName("RadioButton1");
    m_radioButton1->setGeometry(3, 2, 60, 18);
    m_radioButton1->setChecked(true);
    m_radioButton2 = new QRadioButton("Angle [deg]", m_stepPanel);
    m_radioButton2->setObjectName("RadioButton2");
    m_radioButton2->setGeometry(3, 22, 72, 18);
    auto field = [this](const char* name, const char* label, int top) {
        auto* l = new QLabel(label, m_stepPanel);
        l->setGeometry(76, top, 24, 18);
        auto* e = new QLineEdit(m_stepPanel);
        e->setObjectName(name);
        e->setMaxLength(3);
        e->setGeometry(100, top, 30, 18);
        l->setBuddy(e);
        return e;
    };
    m_labeledEdit1 = field("LabeledEdit1", "From", 2);
    m_labeledEdit2 = field("LabeledEdit2", "To", 22);
    auto* show = new QPushButton("Show", m_stepPanel);
    show->setObjectName("Button1");
    show->setGeometry(133, 2, 40, 18);
    connect(show, &QPushButton::clicked, this, &TForm1::Button1Click);
    auto* x = new QPushButton("X", m_stepPanel);
    x->setObjectName("Button3");
    QFont bold = x->font();
    bold.setBold(true);
    x->setFont(bold);
    x->setGeometry(133, 22, 40, 18);
    connect(x, &QPushButton::clicked, this, &TForm1::Button3Click);
    m_labeledEdit1->installEventFilter(new EventWatch(this, [this](QEvent::Type t) {
        if (t == QEvent::FocusOut) LabeledEdit1Exit();
    }));
    m_labeledEdit2->installEventFilter(new EventWatch(this, [this](QEvent::Type t) {
        if (t == QEvent::FocusOut) LabeledEdit2Exit();
    }));
    new avz::PanelDrag(m_stepPanel, m_viewPanel, [this] { Panel2StartDrag(); }, [this](int dropX, int dropY, bool onView) {
        if (onView) Panel1DropPanel(dropX, dropY);
        Panel2EndDrag();
    });
    m_stepPanel->hide();
}

void TForm1::buildLogPanes() {
    auto pane = [this](const char* name, int w, int h) {
        auto* m = new QPlainTextEdit(this);
        m->setObjectName(name);
        m->resize(w, h);
        m->hide();
        return m;
    };
    m_memo1 = pane("Memo1", 241, 26);
    m_memo2 = pane("Memo2", 241, 146);
    m_memo3 = pane("Memo3", 56, 21);
    m_memo3->setEnabled(false);
    m_button2 = new QPushButton("Save", this);
    m_button2->setObjectName("Button2");
    m_button2->resize(75, 25);
    m_button2->hide();
    m_button2->setEnabled(false);
    connect(m_button2, &QPushButton::clicked, this, &TForm1::Button2Click);
}

QPlainTextEdit* TForm1::memo(int number) const {
    return number == 1 ? m_memo1 : number == 2 ? m_memo2 : number == 3 ? m_memo3 : nullptr;
}

void TForm1::placeLogPanes() {
    if (!m_memo1) return;
    // Anchored to the top right edge of the view.
    const int top = m_viewPanel->geometry().top() + 4;
    const int right = width() - 8;
    m_memo1->move(right - 241, top);
    m_memo2->move(right - 241, top + 30);
    m_memo3->move(right - 241, top + 180);
    m_button2->move(right - 75, top + 178);
    for (QWidget* w : std::initializer_list<QWidget*>{m_memo1, m_memo2, m_memo3, m_button2}) w->raise();
}

void TForm1::placeStepPanel() {
    m_stepPanel->move(m_view.origin().x - m_stepPanel->width() / 2, height() - m_stepPanel->height() - 50);
    m_stepPanel->raise();
}

avz::ZoomGuards TForm1::zoomGuards() const {
    avz::ZoomGuards g;
    g.closing = m_closed || m_link.flags.shuttingDown;
    g.comboInUse = m_comboInUse;
    g.trackBarFocused = m_trackBar && m_trackBar->hasFocus();
    return g;
}

// ---- scan replies and repaint

void TForm1::handleScanReply(std::string_view reply) {
    avz::ScanContext c;
    c.model = &m_sensor.model;
    c.origin = m_view.origin();
    c.magX = m_view.magX;
    c.magY = m_view.magY;
    c.panelWidth = m_scanView->width();
    c.panelHeight = m_scanView->height();
    c.developVisible = m_menu.developVisible;
    c.plotPoints = m_menu.plot == avz::PlotMode::Points;
    c.recordingActive = m_recording.active;
    c.recordTimerRunning = recordingTimerRunning();
    // A register dump names the sensor by its last version record; a plain scan needs no parse of it.
    avz::SensorVersionInfo version;
    const std::size_t g = reply.find("$G");
    if (g != std::string_view::npos && g + 2 < reply.size() && reply[g + 2] == '7')
        version = avz::parseVersion(m_sensor.versionText);
    c.prod = version.prod;
    c.firm = version.firm;
    c.prot = version.prot;
    c.seri = version.seri;
    c.stat = version.stat;
    ViewScanHost host(*this);
    avz::handleScan(reply, c, *m_scan, m_scanRepaint, host);
}

avz::ViewScene TForm1::buildScene() const {
    avz::ViewScene s;
    s.width = width();
    s.height = height();
    s.origin = m_view.origin();
    s.mRate = m_view.mRate;
    s.background = m_viewBackground;
    s.fillBackground = !m_recording.active;
    s.plot = m_menu.plot;
    s.grid = m_menu.grid;
    s.showAllRecorded = m_menu.showAllRecorded;
    s.scan = m_scan.get();
    s.steps = m_scan->stepCount;
    s.scanOutline = m_scan->scanPolygon.data();
    s.scanColour = m_scan->stateColour;
    s.multiChannelView = m_scanRepaint.multiChannelView;
    s.stateDigit = m_scan->stateDigit;
    // The recorded frames 0..p-1 (p the track bar position), drawn after the current one: in plot mode "Frame"
    // always, otherwise with "Show All Recorded Data".
    const RecordedOverlay overlay = recordedOverlay();
    const int frames = std::min(m_menu.plot == avz::PlotMode::Frame ? m_player->position() : overlay.frames,
                                avz::FramePointTable::kFrames);
    if (overlay.table && frames > 0) {
        if (m_menu.plot != avz::PlotMode::Frame) s.showAllRecorded = true;
        s.frames.points = overlay.table->frame(0);
        s.frames.stride = avz::FramePointTable::kPoints;
        s.frames.count = frames;
    }

    const avz::AreaPattern& area = m_areas.table.at(m_areas.currentArea);
    s.area.visible = !m_areas.areasHidden;
    for (std::size_t i = 0; i < 7; ++i) s.area.vertexHandles[i] = {m_view.handles[i].left, m_view.handles[i].top};
    s.area.output2HandleTop = m_view.handles[7].top;
    s.area.output3HandleTop = m_view.handles[8].top;
    s.area.output2 = area.output2;
    s.area.output3 = area.output3;
    s.area.shape = static_cast<avz::PartitionShape>(area.PartitionShape >= 0 && area.PartitionShape <= 2
                                                        ? area.PartitionShape
                                                        : 0);
    s.area.draggedVertex = m_dragHandle >= 0 && m_dragHandle < 7 ? m_dragHandle : -1;
    s.area.draggedPartition = m_dragHandle >= 7 ? m_dragHandle - 7 : -1;

    s.stepRays = m_menu.stepData;
    s.fromStep = m_fromStep;
    s.toStep = m_toStep;
    s.firstStep44 = m_sensor.model.name == "LDM" || m_sensor.model.name == "KVR-17HC-D";
    return s;
}

void TForm1::repaintView() {
    if (m_closed || m_link.flags.shuttingDown) return;
    if (!m_services.link.isOpen()) {
        m_scanView->setCaption(kDisconnectedCaption);
        if (m_picture != avz::ConnectionPicture::Disconnected)
            showConnectionPicture(avz::ConnectionPicture::Disconnected);
    } else {
        m_scanView->setCaption(QString());
    }
    // For these models a stored step below 43 is raised to 44 before drawing, and stays raised.
    if (m_menu.stepData && (m_sensor.model.name == "LDM" || m_sensor.model.name == "KVR-17HC-D")) {
        if (m_fromStep < 43) m_fromStep = 44;
        if (m_toStep < 43) m_toStep = 44;
    }
    avz::renderView(m_viewImage, buildScene());
    m_scanView->showImage(m_viewImage);
}

// ---- zoom, pan and read-out

void TForm1::showZoomMode() {
    const avz::ZoomMode mode = m_view.zoomMode;
    if (auto* b = m_toolBar->findChild<QToolButton*>("SpeedButton17")) b->setChecked(mode == avz::ZoomMode::Up);
    if (auto* b = m_toolBar->findChild<QToolButton*>("SpeedButton16")) b->setChecked(mode == avz::ZoomMode::Down);
    if (mode == avz::ZoomMode::Up) m_scanView->setCursor(avz::zoomCursor(true));
    else if (mode == avz::ZoomMode::Down) m_scanView->setCursor(avz::zoomCursor(false));
    else m_scanView->unsetCursor();
}

void TForm1::zoomInStep() {
    const avz::ZoomMode before = m_view.zoomMode;
    if (m_view.zoomIn(zoomGuards())) {
        placeHandles();
        repaintView();
    } else if (before != m_view.zoomMode) {
        showZoomMode();
    }
}

void TForm1::zoomOutStep() {
    const avz::ZoomMode before = m_view.zoomMode;
    if (m_view.zoomOut(zoomGuards())) {
        placeHandles();
        repaintView();
    } else if (before != m_view.zoomMode) {
        showZoomMode();
    }
}

void TForm1::SpeedButton17Click() {
    m_comboInUse = false;
    m_view.pressZoomUp();
    showZoomMode();
}

void TForm1::SpeedButton16Click() {
    m_comboInUse = false;
    m_view.pressZoomDown();
    showZoomMode();
}

void TForm1::ZoomUp1Click() { SpeedButton17Click(); }
void TForm1::ZoomDown1Click() { SpeedButton16Click(); }

void TForm1::FormMouseWheelUp() { zoomInStep(); }

void TForm1::wheelEvent(QWheelEvent* event) {
    m_wheelRemainder += event->angleDelta().y();
    const int steps = m_wheelRemainder / 120;
    m_wheelRemainder -= steps * 120;
    for (int i = 0; i < steps; ++i) FormMouseWheelUp();
    for (int i = 0; i > steps; --i) FormMouseWheelDown();
    event->accept();
}
void TForm1::FormMouseWheelDown() { zoomOutStep(); }

void TForm1::Panel1Click() {
    m_comboInUse = false;
    if (canTakeFocus()) m_scanView->setFocus();
    if (QAction* hosei = entry("Hosei1")) hosei->setChecked(false);
    // Four steps, one repaint each.
    for (int i = 0; i < 4; ++i) {
        if (m_view.zoomMode == avz::ZoomMode::Up) zoomInStep();
        else if (m_view.zoomMode == avz::ZoomMode::Down) zoomOutStep();
    }
}

void TForm1::Panel1MouseDown(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    m_mouseX = x;
    m_mouseY = y;
    if (!canTakeFocus()) return;
    if (button == Qt::LeftButton) {
        const int h = m_areas.areasHidden ? -1 : handleAt(x, y);
        if (h >= 0) {
            startHandleDrag(h);
            return;
        }
        if (m_view.zoomMode != avz::ZoomMode::Off) return;
        if (modifiers & Qt::ShiftModifier) {
            m_view.beginDragZoom(x, y);
            return;
        }
        m_view.beginPan(x, y);
        m_scanView->setCursor(Qt::PointingHandCursor);
    } else if (button == Qt::RightButton) {
        if (m_view.zoomMode != avz::ZoomMode::Off) return;
        m_comboInUse = false;
        m_view.beginDragZoom(x, y);
    }
}

void TForm1::FormKeyDown(int key) {
    // Shift starts drag-zoom from the pointer's last position.
    if (key == Qt::Key_Shift && !m_view.panning() && m_dragHandle < 0) m_view.beginDragZoom(m_mouseX, m_mouseY);
}

void TForm1::Panel1MouseMove(int x, int y, Qt::MouseButtons) {
    m_mouseX = x;
    m_mouseY = y;
    if (m_dragHandle >= 0) {
        Panel1DragOver(x, y);
        return;
    }
    // Panel1 fills the client area, so its coordinates are the window's.
    if (m_view.leaveIfOutside(x, y, width(), height())) return;
    if (m_view.panning()) {
        const avz::Point moved = m_view.panMove(x, y);
        // The canvas is only a position: a move shows through a repaint.
        if (moved.x != 0 || moved.y != 0) repaintView();
    }
    setPanelText(2, QString::fromStdString(m_view.readOut(x, y, m_sensor.model)));
    if (!m_view.panning() && !m_areas.areasHidden && hover(x, y)) return;
    if (m_view.dragZooming()) {
        const int direction = m_view.dragZoomMove(x, y, zoomGuards());
        if (direction != 0) {
            placeHandles();
            repaintView();
            m_scanView->setCursor(avz::zoomCursor(direction > 0));
        }
    }
}

void TForm1::Panel1MouseUp(int x, int y, Qt::MouseButton) {
    m_mouseX = x;
    m_mouseY = y;
    if (m_dragHandle >= 0) {
        Panel1DragOver(x, y);
        Panel1DragDrop();
        return;
    }
    m_view.endMouse();
    showZoomMode();
    repaintView();
}

void TForm1::SpeedButton11Click() {
    if (m_services.reader && m_readerSuspended) resumeReader();
    m_link.flags.pollReady = true;
    if (!canTakeFocus()) return;
    m_view.reset();
    refreshCurrentArea();
    showZoomMode();
}

void TForm1::ResetView1Click() { SpeedButton11Click(); }

void TForm1::FormResize() {
    if (m_closed || m_link.flags.shuttingDown || !m_stepPanel) return;
    placeLogPanes();
    if (canTakeFocus()) placeStepPanel();
    // The playback panel: hidden in a low window, shown again while "Play Back (Saved Data)" is ticked.
    if (m_playbackPanel) {
        const QAction* playBack = entry("PlayBackRecordedData1");
        if (playBack && playBack->isChecked()) placePlaybackPanel();
    }
    repaintView();
}

void TForm1::N0deg1Click() { m_view.rotation = 0; }
void TForm1::N90deg1Click() { m_view.rotation = 90; }
void TForm1::N180deg1Click() { m_view.rotation = 180; }
void TForm1::N270deg1Click() { m_view.rotation = 270; }

// ---- rendering menus

void TForm1::Lines1Click() { entry("Lines1")->setChecked(true); }
void TForm1::Points1Click() { entry("Points1")->setChecked(true); }
void TForm1::Frame1Click() { entry("Frame1")->setChecked(true); }
void TForm1::Area2Click() { entry("Area2")->setChecked(true); }

void TForm1::Straight1Click() {
    entry("Straight1")->setChecked(true);
    repaintView();
}
void TForm1::Circular1Click() {
    entry("Circular1")->setChecked(true);
    repaintView();
}
void TForm1::Both1Click() {
    entry("Both1")->setChecked(true);
    repaintView();
}

void TForm1::applyScheme(avz::ColourScheme scheme) {
    const QColor caption = QApplication::palette().color(QPalette::Inactive, QPalette::WindowText);
    const avz::SchemeColours c = avz::schemeColours(scheme, avz::Rgb{caption.red(), caption.green(), caption.blue()});
    m_viewBackground = c.viewBackground;
    QPalette view = m_scanView->palette();
    view.setColor(QPalette::Window, QColor(c.viewBackground.r, c.viewBackground.g, c.viewBackground.b));
    m_scanView->setPalette(view);
    QPalette main = palette();
    main.setColor(QPalette::Window, QColor(c.windowColour.r, c.windowColour.g, c.windowColour.b));
    setPalette(main);
    repaintView();
}

void TForm1::Gray1Click() {
    entry("Gray1")->setChecked(true);
    applyScheme(avz::ColourScheme::Gray);
}
void TForm1::Blue1Click() {
    entry("Blue1")->setChecked(true);
    applyScheme(avz::ColourScheme::Blue);
}
void TForm1::Green1Click() {
    entry("Green1")->setChecked(true);
    applyScheme(avz::ColourScheme::Green);
}

void TForm1::SpeedButton10Click() {
    QPrinter printer;
    if (m_choosePrinter) {
        if (!m_choosePrinter(printer)) return;
    } else {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted) return;
    }
    const QImage picture = grab().toImage();
    QPainter p(&printer);
    const QRect page = p.viewport();
    const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    p.setViewport(page.x(), page.y(), size.width(), size.height());
    p.setWindow(picture.rect());
    p.drawImage(0, 0, picture);
}

void TForm1::Print1Click() { SpeedButton10Click(); }

// ---- step panel

void TForm1::setFrontStep(int step) {
    m_labeledEdit1->setText(QString::number(step));
    m_labeledEdit2->setText(QString::number(step));
    m_fromStep = step;
    m_toStep = step;
}

void TForm1::StepDataClick() {
    QAction* tick = entry("StepData");
    // Only "X" removes the tick.
    if (!tick->isChecked()) tick->setChecked(true);
    placeStepPanel();
    m_stepPanel->show();
}

void TForm1::Button3Click() {
    m_stepPanel->hide();
    entry("StepData")->setChecked(false);
    repaintView();
}

void TForm1::checkStepField(QLineEdit* field, int& stored) {
    const avz::StepFieldMode mode =
        m_radioButton2->isChecked() ? avz::StepFieldMode::Angle : avz::StepFieldMode::Step;
    const avz::StepFieldCheck c = avz::checkStepField(field->text().toStdString(), mode, m_sensor.model.stepCount,
                                                      m_sensor.model.scanAngle, m_services.dialogs);
    field->setText(QString::fromStdString(c.fieldText));
    if (c.stored) stored = c.value;
}

void TForm1::LabeledEdit1Exit() { checkStepField(m_labeledEdit1, m_fromStep); }
void TForm1::LabeledEdit2Exit() { checkStepField(m_labeledEdit2, m_toStep); }

void TForm1::Button1Click() {
    const avz::StepFieldMode mode =
        m_radioButton2->isChecked() ? avz::StepFieldMode::Angle : avz::StepFieldMode::Step;
    const avz::StepRange r = avz::applyStepRange(m_labeledEdit1->text().toStdString(),
                                                 m_labeledEdit2->text().toStdString(), mode, m_services.dialogs);
    m_fromStep = r.fromStep;
    m_toStep = r.toStep;
    m_labeledEdit2->setText(QString::fromStdString(r.toFieldText));
    if (r.tick) entry("StepData")->setChecked(true);
}

// ---- log panes

void TForm1::Buffer1Click() {
    const bool shown = entry("Buffer1")->isChecked();
    placeLogPanes();
    for (QWidget* w : std::initializer_list<QWidget*>{m_memo1, m_memo2, m_memo3, m_button2}) w->setVisible(shown);
    m_button2->setEnabled(shown);
}

void TForm1::Button2Click() {
    if (avz::saveLogPanes(m_memo1->toPlainText().toStdString(), m_memo2->toPlainText().toStdString(),
                          m_services.dialogs))
        m_memo1->clear();
}

void TForm1::appendLogReply(const QString& text) {
    m_memo2->appendPlainText(text);
    // The pane holds at most 300000 characters: the oldest text goes first.
    const QString all = m_memo2->toPlainText();
    if (all.size() > kLogMaxChars) m_memo2->setPlainText(all.right(kLogMaxChars));
}

void TForm1::clearLogReplies() { m_memo2->clear(); }
void TForm1::setLogLength(int length) { m_memo3->setPlainText(QString::number(length)); }
void TForm1::setLogCommand(const QString& command) { m_memo1->setPlainText(command); }

// ---- screen image

void TForm1::SaveImage1Click() {
    // The picture is taken before the dialog opens, so the dialog is not in it.
    QPixmap screen;
    if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->grabWindow(0);
    avz::FileDialogSpec spec;
    spec.filter = "bitmap[*.bmp]|*.bmp";
    const auto chosen = m_services.dialogs.saveFile(spec);
    if (!chosen) return;
    const std::string name = avz::imageFileName(*chosen);
    if (screen.isNull() || !screen.save(QString::fromStdString(name), "BMP"))
        m_services.dialogs.message("Could not Save file", "VIZ Avuzevi", avz::Buttons::Ok, avz::Icon::None);
}
