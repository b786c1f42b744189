// TForm1: the main window, owner of the program's long-lived state, its menus, toolbar and status bar.
#pragma once

#include <QCursor>
#include <QHash>
#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "app/app_services.h"
#include "app/app_state.h"
#include "app/drawn_pictures.h"
#include "app/menu_state.h"
#include "core/pump.h"
#include "areas/area_model.h"
#include "core/text_grid.h"
#include "link/scan_decoder.h"
#include "view/scan_view_widget.h"
#include <QImage>
#include <string_view>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
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

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kPortEntries = 20;
    static constexpr int kClickablePortEntries = 9;

    explicit TForm1(avz::AppServices& services, QWidget* parent = nullptr);
    ~TForm1() override;

    void attachWindows(const SecondaryWindows& windows) { m_windows = windows; }
    const SecondaryWindows& windows() const { return m_windows; }
    void setReaderGate(avz::ReaderGate* reader) { m_services.reader = reader; }

    // The state groups.
    avz::SensorIdentity& sensor() { return m_sensor; }
    avz::LinkState& linkState() { return m_link; }
    avz::ScanFrame& scan() { return *m_scan; }
    avz::AreaEditState& areaEdit() { return m_areaEdit; }
    avz::ViewState& view() { return m_view; }
    avz::RecordingState& recording() { return m_recording; }
    avz::PlaybackStore& playback() { return *m_playback; }
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
    void askToSaveAreas();
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
    avz::AreaEditState m_areaEdit;
    avz::ViewState m_view;
    avz::RecordingState m_recording;
    std::unique_ptr<avz::PlaybackStore> m_playback;
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
    // ---- view: live view, view handlers, step panel, log panes and area editing on the view
public:
    // Every "$G" reply the dispatcher receives.
    void handleScanReply(std::string_view reply);
    avz::AreaState& areas() { return m_areas; }
    avz::ScanRepaintState& scanRepaint() { return m_scanRepaint; }
    avz::ScanViewWidget* scanView() const { return m_scanView; }
    // One repaint: the scene drawn into one image the size of the main window, shown on Panel1.
    void repaintView();
    const QImage& viewImage() const { return m_viewImage; }
    // Places the handles from currentArea's values, shows the area and shape in status panel 3 and repaints.
    void refreshCurrentArea();
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
    bool canTakeFocus() const;
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
    void storeStep(int step, std::int32_t distance);
    void recordScan();

    avz::ScanViewWidget* m_scanView = nullptr;
    avz::AreaState m_areas;
    avz::ScanRepaintState m_scanRepaint;
    avz::TextGrid m_dumpTable{16, 156};
    QImage m_viewImage;
    avz::Rgb m_viewBackground{255, 255, 255};
    int m_fromStep = 0;
    int m_toStep = 0;
    bool m_comboInUse = false;
    int m_dragHandle = -1;   // 0..6 vertex handles, 7 and 8 partition handles
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
