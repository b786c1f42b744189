// TForm1: the main window, owner of the program's long-lived state, its menus, toolbar and status bar.
#pragma once

#include <QCursor>
#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_services.h"
#include "app/app_state.h"
#include "app/drawn_pictures.h"
#include "app/menu_state.h"
#include "areas/area_transfer.h"
#include "areas/numeric_input.h"
#include "core/pump.h"
// ---- integ: reader thread, dispatch, identification, detection
#include "app/detection_bridge.h"
#include "link/dispatcher.h"
#include "link/reader_loop.h"
#include "link/tread.h"
#include "sensor/detection.h"
#include "sensor/identify.h"
// ---- end integ
#include "link/scan_frame.h"
#include "record/playback.h"
#include "record/recording.h"
#include "view/view_geometry.h"
#include "areas/area_model.h"
#include "core/text_grid.h"
#include "link/scan_decoder.h"
#include "view/scan_view_widget.h"
#include <QImage>
#include <string_view>

class QAction;
class QCheckBox;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QPrinter;
class QProgressBar;
class QSlider;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;
class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm12;

// The secondary windows, created after the main window and living as long as it does.
struct SecondaryWindows {
    TForm3* form3 = nullptr;
    TForm4* form4 = nullptr;
    TForm5* form5 = nullptr;
    TForm6* form6 = nullptr;
    TForm7* form7 = nullptr;
    TForm8* form8 = nullptr;
    TForm9* form9 = nullptr;
    TForm10* form10 = nullptr;
    TForm11* form11 = nullptr;
    TForm12* form12 = nullptr;
};

class TForm1 : public QMainWindow, public avz::ReaderOutputs, public avz::DispatchTarget, public avz::VersionHost,
               public avz::AreaTransferHost, public avz::NumericInputHost {
    Q_OBJECT

public:
    static constexpr int kPortEntries = 20;
    static constexpr int kClickablePortEntries = 9;

    explicit TForm1(avz::AppServices& services, QWidget* parent = nullptr);
    ~TForm1() override;

    void attachWindows(const SecondaryWindows& windows) {
        m_windows = windows;
        attachRecordWindow();
    }
    const SecondaryWindows& windows() const { return m_windows; }
    void setReaderGate(avz::ReaderGate* reader) { m_services.reader = reader; }

    // The state groups.
    avz::SensorIdentity& sensor() { return m_sensor; }
    avz::LinkState& linkState() { return m_link; }
    avz::ScanFrame& scan() { return *m_scan; }
    avz::ViewState& view() { return m_view; }
    avz::RecordingState& recording() { return m_recording; }
    avz::PlaybackBuffer& playback() { return *m_playback; }
    avz::MiscState& misc() { return m_misc; }
    const avz::MenuState& menuState() const { return m_menu; }

    // Timer2, Timer3, Timer5, Timer7: one-shot time-outs on the pump's clock; their flags are passed().
    avz::Deadline& timer2() { return m_timer2; }
    avz::Deadline& timer3() { return m_timer3; }
    avz::Deadline& timer5() { return m_timer5; }
    avz::Deadline& timer7() { return m_timer7; }
    QTimer* timer1() const { return m_timer1; }
    QTimer* timer4() const { return m_timer4; }
    QTimer* timer8() const { return m_timer8; }

    // Status bar.
    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    void showConnectionPicture(avz::ConnectionPicture picture);
    avz::ConnectionPicture connectionPicture() const { return m_picture; }
    QProgressBar* progressBar() const { return m_progress; }
    avz::StatusLamp* statusLamp() const { return m_lamp; }
    QLabel* connectionPictureLabel() const { return m_pictureLabel; }
    QWidget* statusPanel(int panel) const;
    avz::DetectingPanel* detectingPanel() const { return m_detecting; }
    QComboBox* areaList() const { return m_areaList; }
    QComboBox* shapeList() const { return m_shapeList; }
    // Application cursors 5 and 6 of the area editor.
    const QCursor& areaCursor(int number) const { return number == 5 ? m_cursorUp : m_cursorDown; }

    // Port and speed menus. Entries are 1-based; speed entries 1..3.
    void fillPortMenu(const std::vector<std::string>& ports);
    QAction* portEntry(int entry) const;
    int portEntryCount() const { return m_portCount; }
    int checkedPortEntry() const;
    void checkPortEntry(int entry);
    void checkDisconnect();
    int checkedSpeedEntry() const;
    void checkSpeedEntry(int entry);
    int checkedBaud() const;
    QString speedCaption(int entry) const;
    // A sensor answered on port entry at the link's current speed: check the entries, set the status text and
    // the "connected" picture. What the detection calls on success.
    void connectedOn(int entry);
    // Nothing answered: "Disconnect" checked, the "disconnected" picture, "    (Disconnected)", no open port.
    void showDisconnected();

    bool japaneseSelected() const;

    // The detection and reader work that the connection workflow plugs in here.
    bool detectOnePort(int entry);
    bool detectAtStart();
    void reconnect();

    // The shared steps of the port handlers.
    void selectPort(const QString& caption, int entry);
    void changeSpeed(int entry);
    void closeLink();

    // Start-up, in two halves: FormCreate reads the settings and applies the switches before the secondary
    // windows are created (they place themselves against the main window's size); showAndDetect shows the
    // window and runs the detection at start once every window exists, since detection touches them.
    void FormCreate();
    void showAndDetect();

public slots:
    void FormShow();
    void Exit1Click();
    void Timer1Timer();
    void Timer4Timer();
    void Timer8Timer();

    void File1Click() {}
    void View1Click() {}
    void Communication1Click() {}
    void Area1Click() {}
    void Graphics1Click() {}
    void Help1Click() {}
    void Inspect2Click() {}
    void Develop1Click() {}
    void Sensor1Click() {}

    void ToolBar2Click();
    void StatusBar3Click();
    void English1Click();
    void JapaneseClick();
    void AboutRangeSensor1Click();

    void Com11Click();
    void Com21Click();
    void Com31Click();
    void COM41Click();
    void COM51Click();
    void COM61Click();
    void COM71Click();
    void COM81Click();
    void COM91Click();
    void COM101Click();
    void N11Click();
    void N21Click();
    void N31Click();
    void SpeedButton4Click();
    void SpeedButton12Click();

signals:
    // The help file the hidden Help entry asked the desktop to open.
    void helpFileOpened(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The wheel zooms wherever it turns over the window; the view passes on its own turns the same way.
    void wheelEvent(QWheelEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void layoutStatusBar();
    void centreDetectingPanel();
    QMenu* addMenu(QMenu* parent, const char* name, const char* caption);
    QAction* addEntry(QMenu* menu, const char* name, const char* caption, bool checkable = false,
                      bool checked = false);
    QActionGroup* radioGroup(std::initializer_list<QAction*> actions, bool optional);
    QToolButton* addToolButton(const char* name, const char* hint, avz::Glyph glyph);
    QAction* entry(const char* name) const;
    void syncMenuState();
    void applyStartSwitches();
    void applyMainSettings(avz::MainSettings s);
    avz::AllSettings collectSettings() const;
    void FormClose();
    void applyCaptions(bool japanese, bool includeIoLabels);
    void renameLists(bool japanese);
    void switchLanguage(bool japanese);
    void suspendReader();
    void resumeReader();

    avz::AppServices& m_services;
    SecondaryWindows m_windows;

    avz::SensorIdentity m_sensor;
    avz::LinkState m_link;
    std::unique_ptr<avz::ScanFrame> m_scan;
    avz::ViewState m_view;
    avz::RecordingState m_recording;
    std::unique_ptr<avz::PlaybackBuffer> m_playback;
    avz::MiscState m_misc;
    avz::MenuState m_menu;

    QTimer* m_timer1;
    QTimer* m_timer4;
    QTimer* m_timer8;
    avz::Deadline m_timer2;
    avz::Deadline m_timer3;
    avz::Deadline m_timer5;
    avz::Deadline m_timer7;

    QToolBar* m_toolBar = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_panels[5] = {};
    QProgressBar* m_progress = nullptr;
    QLabel* m_pictureLabel = nullptr;
    avz::StatusLamp* m_lamp = nullptr;
    avz::ConnectionPicture m_picture = avz::ConnectionPicture::Disconnected;
    avz::DetectingPanel* m_detecting = nullptr;
    QWidget* m_viewPanel = nullptr;
    QComboBox* m_areaList = nullptr;
    QComboBox* m_shapeList = nullptr;
    QAction* m_portEntries[kPortEntries] = {};
    QAction* m_portSeparator = nullptr;
    QAction* m_disconnect = nullptr;
    QAction* m_speeds[3] = {};
    int m_portCount = 0;
    QCursor m_cursorUp;
    QCursor m_cursorDown;
    bool m_readerSuspended = false;
    bool m_shown = false;
    bool m_closed = false;

    // ---- integ: reader thread, dispatch, identification, detection, version window
    friend class DetectionBridge;

public:
    // ReaderOutputs, in the GUI thread (TRead marshals them). showConnectionPicture is the status bar's above.
    void setLamp(avz::Lamp lamp) override;
    void startTimer1(int intervalMs) override;
    void stopTimer1() override;
    void startTimer4() override;
    void stopTimer4() override;
    void resetAfterWatchdog() override;
    void clearVersionTree() override;
    void showBufferExceed(int queued) override;
    void handOver(const avz::ReplyEnvelope& reply) override;

    // DispatchTarget
    bool bufferEchoChecked() const override;
    bool hoseiChecked() const override;
    bool ioCheckChecked() const override;
    void clearDebugMemo() override;
    void appendDebugMemo(const std::string& text) override;
    void showDebugLength(int length) override;
    void showDebugCommand(std::string_view lastCommand) override;
    void setFramWriteButtonEnabled(bool enabled) override;
    void setFramReadButtonEnabled(bool enabled) override;
    void enableSensorVersionButton() override;
    void setAreaComboBoxesEnabled(bool enabled) override;
    std::string hoseiIntervalCaption() const override;
    bool hoseiRepeatChecked() const override;
    void setHoseiRepeatTimer(int intervalMs, bool enabled) override;
    void versionReply(std::string_view text) override;
    void correctionReply(std::string_view text) override;
    void framReply(std::string_view text) override;
    void inspectionReply(std::string_view text) override;
    void ioReply(std::string_view text) override;
    void scanReply(std::string_view text) override;

    // VersionHost (with IdentifyHost)
    void setFiveMeterBox(bool checked) override;
    void hideDetectingPanel() override;
    bool numericInputSetAreaActive() const override;
    void refreshNumericInput() override;
    bool playbackPanelVisible() const override;
    bool versionWindowShowsSensorVersion() const override;
    void requestVersion() override;
    void showVersionRecord(const avz::SensorVersionInfo& info) override;
    void colourVersionTreeSkyBlue() override;
    void newSensorPrompt() override;

    // The reader thread: created after every successful detection; none while nothing is connected.
    void createReaderThread();
    TRead* readerThread() const { return m_reader.get(); }
    int readerThreadsCreated() const { return m_readerThreadsCreated; }
    // The copy of the marks and fields the reader reads; refreshed whenever one of them may have changed.
    void pushReaderInputs();
    const avz::SharedReaderInputs& readerInputs() const { return m_readerInputs; }
    avz::Detection& detection() { return m_detection; }
    avz::DetectionHost& detectionHost() { return m_detectionHost; }
    avz::Lamp lamp() const { return m_lampState; }
    QCheckBox* fiveMeterBox() const { return m_fiveMeterBox; }
    // The "Buffer" echo as the dispatcher left it: the reply texts, the length and the batch's commands.
    const QString& debugMemoText() const { return m_debugMemo; }
    const QString& debugLengthText() const { return m_debugLength; }
    const QString& debugCommandText() const { return m_debugCommand; }

public slots:
    void AutoDetect1Click();
    void ZETALDM1Click();
    void VOLDM1Click();
    void QWJ1Click();
    void LDM2Click();
    void LDM1Click();
    void KVRW611Click();
    void KVR17HC1Click();
    void KVR38PT1Click();
    void KVR17HCD1Click();
    void KVR38PT621Click();
    void KVR38PTD621Click();
    void SensorVersionClick();
    void GraphicsVersion1Click();

private:
    void wireSensor();
    void wireSecondaryWindows();
    void applySensorMenuChoice(const char* handler);
    void retireReader();

    avz::SharedReaderInputs m_readerInputs;
    avz::Dispatcher m_dispatcher{m_link.flags, *this};
    DetectionBridge m_detectionHost{*this};
    avz::Detection m_detection{m_services.link, m_services.pump, m_services.dialogs,
                               m_link.flags,    m_sensor,         m_detectionHost};
    QCheckBox* m_fiveMeterBox = nullptr;
    avz::Lamp m_lampState = avz::Lamp::Red;
    QString m_debugMemo;
    QString m_debugLength;
    QString m_debugCommand;
    int m_handOverDepth = 0;
    int m_readerThreadsCreated = 0;
    bool m_windowsWired = false;
    // Last, so it goes first: its thread refers to the flags, the inputs and this window.
    std::vector<std::unique_ptr<TRead>> m_retiredReaders;
    std::unique_ptr<TRead> m_reader;
    // ---- end integ

    // ---- areagui: area file, area transfer, numeric input window and the area save prompt
public:
    avz::AreaState& areas() { return m_areas; }
    // Loads the area named by the area combo box into the shape box, status panel 3, the numeric input
    // window and the view.
    void refreshCurrentArea() override;
    // Area transfer host.
    bool connected() const override;
    bool japanese() const override { return japaneseSelected(); }
    void closeIoCheckWindow() override;
    bool setArea() override;
    void setWatchdogExpired() override;
    void setProgressMax(int max) override;
    void setProgress(int position) override;
    // Numeric input host.
    avz::AreaState& numericAreas() override { return m_areas; }
    const avz::SensorModel& numericModel() const override { return m_sensor.model; }
    avz::Dialogs& numericDialogs() override { return m_services.dialogs; }
    bool numericJapanese() const override { return japaneseSelected(); }
    bool numericMainClosing() const override { return m_closed; }
    int mainAreaSelection() const override;
    int mainShapeSelection() const override;
    void numericAreaSelected(int area) override;
    void numericShapeChosen(int shape) override;
    void numericAreaCommitted(int area) override;
    void numericPartitionsSwapped() override;
    void focusMainView() override;
    // The controls that start an area exchange; disabled while one runs.
    QList<QObject*> areaExchangeControls() const;

public slots:
    void OpenAreaFile1Click();
    void SaveAreaFile1Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void AreaRead1Click();
    void AreaWrite1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void NumericInput1Click();

private:
    void connectAreaCommands();
    void runAreaExchange(bool write);
    void setAreaExchangeControlsEnabled(bool enabled);
    bool canTakeFocus() const;
    void syncAreaCount();
    void showAreaStatus();

    avz::AreaState m_areas;
    avz::ExchangeLock m_exchangeLock;
    // Runs use with the port held for it; nothing when an exchange already holds the port.
    void withPort(const std::function<void()>& use);
    // ---- end areagui
    // ---- recgui: recording, playback and the data record window
public:
    // The scan handler's hooks: every decoded step, and once per decoded scan after the view is drawn.
    void recordingStoreStep(int step, std::int32_t distance);
    void recordingRecordScan();
    void recordingStartTimer();
    bool recordingTimerRunning() const;

    avz::Recorder& recorder() { return *m_recorder; }
    avz::Playback& player() { return *m_player; }
    avz::RecordTable& recordTable() { return m_recordTable; }
    avz::FramePointTable& framePoints() { return *m_framePoints; }
    avz::RecordPacer& recordPacer() { return *m_recordPacer; }
    const avz::RecordMenuState& recordMenu() const { return m_recordMenu; }
    avz::ScanFrame& recScanFrame() { return *m_scan; }
    avz::ViewGeometry& recView() { return m_view; }

    // What the "Show All Recorded Data" overlay draws after the current frame: frames 0..frames-1 of the
    // table, each as a polygon of points 0..points-1, in kRecordedOverlayColour. frames is 0 while unchecked.
    struct RecordedOverlay {
        const avz::FramePointTable* table = nullptr;
        int frames = 0;
        int points = 0;
    };
    RecordedOverlay recordedOverlay() const;
    QWidget* playbackPanel() const { return m_playbackPanel; }
    QSlider* trackBar() const { return m_trackBar; }

public slots:
    void N10Scan1Click();
    void N50Scan1Click();
    void N100Scan1Click();
    void N250Scan1Click();
    void N500Scan1Click();
    void N10000Scan1Click();
    void OpenDataFile1Click();
    void PlayBackRecordedData1Click();
    void TrackBar1Change(int position);
    void SpeedButton13Click();
    void SpeedButton18Click();
    void SpeedButton14Click();
    void BitBtn1Click();
    void Frame2Click();
    void SpeedButton15Click();

private:
    class RecHost;
    class PlayHost;
    class RecordWindowHost;
    class RecReaderGate;
    void buildRecordingUi();
    void attachRecordWindow();
    void startRecording(avz::RecordMode mode);
    void showRecordChecks();
    void placePlaybackPanel();
    void showRecordedDataPicture();

    avz::RecordTable m_recordTable;
    std::unique_ptr<avz::FramePointTable> m_framePoints;
    avz::RecordMenuState m_recordMenu;
    std::unique_ptr<avz::RecordPacer> m_recordPacer;
    // Shared so that the shell's constructor needs no complete type of them.
    std::shared_ptr<RecHost> m_recHost;
    std::shared_ptr<PlayHost> m_playHost;
    std::shared_ptr<RecordWindowHost> m_recordWindowHost;
    std::shared_ptr<RecReaderGate> m_recReader;
    std::unique_ptr<avz::Recorder> m_recorder;
    std::unique_ptr<avz::Playback> m_player;
    QWidget* m_playbackPanel = nullptr;
    QSlider* m_trackBar = nullptr;
    // ---- end recgui
    // ---- view: live view, view handlers, step panel, log panes and area editing on the view
public:
    // Every "$G" reply the dispatcher receives.
    void handleScanReply(std::string_view reply);
    avz::ScanRepaintState& scanRepaint() { return m_scanRepaint; }
    avz::ScanViewWidget* scanView() const { return m_scanView; }
    // One repaint: the scene drawn into one image the size of the main window, shown on Panel1.
    void repaintView();
    const QImage& viewImage() const { return m_viewImage; }
    // The model's front step into both step fields and the range (when a model is taken into use).
    void setFrontStep(int step);
    int fromStep() const { return m_fromStep; }
    int toStep() const { return m_toStep; }
    bool comboInUse() const { return m_comboInUse; }
    int draggedHandle() const { return m_dragHandle; }
    int hoveredHandle() const { return m_hoverHandle; }
    QFrame* stepPanel() const { return m_stepPanel; }
    QLineEdit* fromField() const { return m_labeledEdit1; }
    QLineEdit* toField() const { return m_labeledEdit2; }
    QRadioButton* angleMode() const { return m_radioButton2; }
    QPlainTextEdit* memo(int number) const;
    QPushButton* saveLogButton() const { return m_button2; }
    // The log panes as the dispatcher's "Buffer" echo writes them.
    void appendLogReply(const QString& text);
    void clearLogReplies();
    void setLogLength(int length);
    void setLogCommand(const QString& command);

public slots:
    void SpeedButton17Click();
    void SpeedButton16Click();
    void ZoomUp1Click();
    void ZoomDown1Click();
    void SpeedButton11Click();
    void ResetView1Click();
    void FormMouseWheelUp();
    void FormMouseWheelDown();
    void Panel1MouseDown(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void Panel1MouseMove(int x, int y, Qt::MouseButtons buttons);
    void Panel1MouseUp(int x, int y, Qt::MouseButton button);
    void Panel1Click();
    void FormKeyDown(int key);
    void FormResize();
    void N0deg1Click();
    void N90deg1Click();
    void N180deg1Click();
    void N270deg1Click();
    void Lines1Click();
    void Points1Click();
    void Frame1Click();
    void Area2Click();
    void Straight1Click();
    void Circular1Click();
    void Both1Click();
    void Gray1Click();
    void Blue1Click();
    void Green1Click();
    void SpeedButton10Click();
    void Print1Click();
    // The print dialog: sets up the printer and says whether the user confirmed. Tests put a printer to a file
    // in its place.
    void setPrintDialog(std::function<bool(QPrinter&)> choose) { m_choosePrinter = std::move(choose); }
    void StepDataClick();
    void Button3Click();
    void LabeledEdit1Exit();
    void LabeledEdit2Exit();
    void Button1Click();
    void Buffer1Click();
    void Button2Click();
    void SaveImage1Click();
    void ComboBox1Change();
    void ComboBox1Enter();
    void ComboBox1Exit();
    void ComboBox2Change();
    void ComboBox2Exit();
    void ToolBar1Click();
    void Panel1DragOver(int x, int y);
    void Panel1DragDrop();
    // The step panel (Panel2) and the playback panel (Panel4) are moved by dragging them onto the view; a drop
    // puts the dragged panel's top-left corner at the drop point. Returns false when no panel is dragged.
    bool Panel1DropPanel(int x, int y);
    void Panel2StartDrag() { m_stepPanelMoving = true; }
    void Panel2EndDrag() { m_stepPanelMoving = false; }
    void Panel4MouseDown() { Panel4StartDrag(); }
    void Panel4StartDrag() { m_playbackPanelMoving = true; }
    void Panel4EndDrag() { m_playbackPanelMoving = false; }
    void SpeedButton3Click();
    void Visible1Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton7Click();

private:
    friend class ViewScanHost;
    void setupView();
    void buildStepPanel();
    void buildLogPanes();
    void placeLogPanes();
    void placeStepPanel();
    avz::ZoomGuards zoomGuards() const;
    void zoomInStep();
    void zoomOutStep();
    void showZoomMode();
    void placeHandles();
    avz::ViewScene buildScene() const;
    void applyScheme(avz::ColourScheme scheme);
    void checkStepField(QLineEdit* field, int& stored);
    void startHandleDrag(int handle);
    int handleAt(int x, int y) const;
    bool hover(int x, int y);
    void showAreaText();

    avz::ScanViewWidget* m_scanView = nullptr;
    avz::ScanRepaintState m_scanRepaint;
    QImage m_viewImage;
    avz::Rgb m_viewBackground{255, 255, 255};
    int m_fromStep = 0;
    int m_toStep = 0;
    bool m_comboInUse = false;
    int m_dragHandle = -1;   // 0..6 vertex handles, 7 and 8 partition handles
    bool m_stepPanelMoving = false;
    int m_wheelRemainder = 0;
    std::function<bool(QPrinter&)> m_choosePrinter;
    bool m_playbackPanelMoving = false;
    int m_hoverHandle = -1;
    int m_mouseX = 0, m_mouseY = 0;
    QFrame* m_stepPanel = nullptr;
    QRadioButton* m_radioButton1 = nullptr;
    QRadioButton* m_radioButton2 = nullptr;
    QLineEdit* m_labeledEdit1 = nullptr;
    QLineEdit* m_labeledEdit2 = nullptr;
    QPlainTextEdit* m_memo1 = nullptr;
    QPlainTextEdit* m_memo2 = nullptr;
    QPlainTextEdit* m_memo3 = nullptr;
    QPushButton* m_button2 = nullptr;
    // ---- end view
};
