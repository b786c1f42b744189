// TForm1: the menu tree, the toolbar and the status bar, and the menu state the rest of the program reads.
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/captions.h"
#include "app/main_window.h"

namespace {

struct Item {
    const char* name;
    const char* caption;
};

}  // namespace

QMenu* TForm1::addMenu(QMenu* parent, const char* name, const char* caption) {
    QMenu* menu =
        parent ? parent->addMenu(QString::fromUtf8(caption)) : menuBar()->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* TForm1::addEntry(QMenu* menu, const char* name, const char* caption, bool checkable, bool checked) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(name);
    a->setCheckable(checkable);
    a->setChecked(checked);
    return a;
}

QActionGroup* TForm1::radioGroup(std::initializer_list<QAction*> actions, bool optional) {
    auto* group = new QActionGroup(this);
    // Optional: clicking the checked entry unchecks it, which the port and speed handlers rely on.
    group->setExclusionPolicy(optional ? QActionGroup::ExclusionPolicy::ExclusiveOptional
                                       : QActionGroup::ExclusionPolicy::Exclusive);
    for (QAction* a : actions) {
        a->setCheckable(true);
        group->addAction(a);
    }
    return group;
}

QAction* TForm1::entry(const char* name) const {
    return findChild<QAction*>(QString::fromUtf8(name));
}

void TForm1::buildMenus() {
    QMenu* file = addMenu(nullptr, "File1", "File");
    connect(file, &QMenu::aboutToShow, this, &TForm1::File1Click);
    addEntry(file, "OpenDataFile1", "Open Data File");
    addEntry(file, "OpenAreaFile1", "Open Area File");
    addEntry(file, "SaveAreaFile1", "Save Area File as..");
    addEntry(file, "Print1", "Print");
    connect(addEntry(file, "Exit1", "Exit"), &QAction::triggered, this, &TForm1::Exit1Click);

    QMenu* view = addMenu(nullptr, "View1", "View");
    connect(view, &QMenu::aboutToShow, this, &TForm1::View1Click);
    QMenu* realtime = addMenu(view, "RealtimeData1", "Realtime Data");
    for (const Item& i :
         {Item{"N10Scan1", "10 Scan"}, Item{"N50Scan1", "50 Scan"}, Item{"N100Scan1", "100 Scan"},
          Item{"N250Scan1", "250 Scan"}, Item{"N500Scan1", "250x40 Scan"}, Item{"N10000Scan1", "Auto"}})
        addEntry(realtime, i.name, i.caption);
    addEntry(view, "PlayBackRecordedData1", "Play Back (Saved Data)", true);
    addEntry(view, "Frame2", "Show All Recorded Data", true);
    connect(addEntry(view, "ToolBar2", "Tool Bar", true, true), &QAction::triggered, this,
            &TForm1::ToolBar2Click);
    connect(addEntry(view, "StatusBar3", "Status Bar", true, true), &QAction::triggered, this,
            &TForm1::StatusBar3Click);

    QMenu* comm = addMenu(nullptr, "Communication1", "Communication");
    connect(comm, &QMenu::aboutToShow, this, &TForm1::Communication1Click);
    QMenu* port = addMenu(comm, "Port1", "Port");
    static const char* const kClickable[kClickablePortEntries] = {"Com11", "Com21", "Com31", "COM41", "COM51",
                                                                  "COM61", "COM71", "COM81", "COM91"};
    using Handler = void (TForm1::*)();
    static const Handler kHandlers[kClickablePortEntries] = {
        &TForm1::Com11Click, &TForm1::Com21Click, &TForm1::Com31Click,
        &TForm1::COM41Click, &TForm1::COM51Click, &TForm1::COM61Click,
        &TForm1::COM71Click, &TForm1::COM81Click, &TForm1::COM91Click};
    auto* portGroup = new QActionGroup(this);
    portGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int k = 1; k <= kPortEntries; ++k) {
        const std::string name =
            k <= kClickablePortEntries ? kClickable[k - 1] : "PortEntry" + std::to_string(k);
        const std::string caption = "COM" + std::to_string(k);
        QAction* a = addEntry(port, name.c_str(), caption.c_str(), true);
        a->setData(QString::fromStdString(caption));
        portGroup->addAction(a);
        // Entries past the ninth are listed but have no click handler.
        if (k <= kClickablePortEntries) connect(a, &QAction::triggered, this, kHandlers[k - 1]);
        m_portEntries[k - 1] = a;
    }
    m_portSeparator = port->addSeparator();
    m_disconnect = addEntry(port, "COM101", "Disconnect", true);
    portGroup->addAction(m_disconnect);
    connect(m_disconnect, &QAction::triggered, this, &TForm1::COM101Click);
    QMenu* speed = addMenu(comm, "Speed1", "Speed");
    m_speeds[0] = addEntry(speed, "N11", "19.2 Kbps", true, true);
    m_speeds[1] = addEntry(speed, "N21", "57.6 Kbps", true);
    m_speeds[2] = addEntry(speed, "N31", "115.2 Kbps", true);
    radioGroup({m_speeds[0], m_speeds[1], m_speeds[2]}, true);
    connect(m_speeds[0], &QAction::triggered, this, &TForm1::N11Click);
    connect(m_speeds[1], &QAction::triggered, this, &TForm1::N21Click);
    connect(m_speeds[2], &QAction::triggered, this, &TForm1::N31Click);
    addEntry(comm, "AreaRead1", "Area Read");
    addEntry(comm, "AreaWrite1", "Area Write");
    addEntry(comm, "IOCheck1", "I/0 Check", true);
    addEntry(comm, "ErrorCheck1", "Error Check");
    addEntry(comm, "SensorVersion", "Sensor Version");

    QMenu* area = addMenu(nullptr, "Area1", "Area");
    connect(area, &QMenu::aboutToShow, this, &TForm1::Area1Click);
    addEntry(area, "NumericInput1", "Numeric Input");
    addEntry(area, "Visible1", "Visible", true, true);

    QMenu* graphics = addMenu(nullptr, "Graphics1", "Graphics");
    connect(graphics, &QMenu::aboutToShow, this, &TForm1::Graphics1Click);
    QMenu* grid = addMenu(graphics, "Grid1", "Grid");
    radioGroup({addEntry(grid, "Straight1", "Straight", true, true), addEntry(grid, "Circular1", "Circular"),
                addEntry(grid, "Both1", "Both")},
               false);
    QMenu* colour = addMenu(graphics, "Color1", "Color");
    radioGroup({addEntry(colour, "Gray1", "Gray", true, true), addEntry(colour, "Blue1", "Blue"),
                addEntry(colour, "Green1", "Green")},
               false);
    QMenu* plot = addMenu(graphics, "Plot1", "Plot");
    radioGroup({addEntry(plot, "Lines1", "Lines"), addEntry(plot, "Points1", "Points"),
                addEntry(plot, "Frame1", "Frame"), addEntry(plot, "Area2", "Area", true, true)},
               false);
    QMenu* zoom = addMenu(graphics, "Zoom1", "Zoom");
    addEntry(zoom, "ZoomUp1", "Zoom Up");
    addEntry(zoom, "ZoomDown1", "Zoom Down");
    addEntry(zoom, "ResetView1", "Reset View");
    QMenu* rotate = addMenu(graphics, "Rotate1", "Rotate");
    radioGroup({addEntry(rotate, "N0deg1", "  0 deg", true, true), addEntry(rotate, "N90deg1", " 90 deg"),
                addEntry(rotate, "N180deg1", "180 deg"), addEntry(rotate, "N270deg1", "270 deg")},
               false);
    rotate->menuAction()->setVisible(false);

    QMenu* help = addMenu(nullptr, "Help1", "Help");
    connect(help, &QMenu::aboutToShow, this, &TForm1::Help1Click);
    QMenu* update = addMenu(help, "Update1", "Update");
    addEntry(update, "StandardUpdate", "Standard (Recommended)", true);
    addEntry(update, "AdvancedUpdate", "Advanced");
    QMenu* delay = addMenu(update, "UpdateDelay1", "Update Delay");
    radioGroup({addEntry(delay, "N01", "0 msec", true, true), addEntry(delay, "N51", "5 msec"),
                addEntry(delay, "N101", "10 msec"), addEntry(delay, "N201", "20 msec"),
                addEntry(delay, "N301", "30 msec"), addEntry(delay, "N401", "40 msec"),
                addEntry(delay, "N501", "50 msec")},
               false);
    addEntry(help, "GraphicsVersion1", "Graphics Version");
    QAction* about = addEntry(help, "AboutRangeSensor1", "Help");
    about->setVisible(false);
    connect(about, &QAction::triggered, this, &TForm1::AboutRangeSensor1Click);
    QMenu* language = addMenu(help, "Language1", "Language");
    QAction* english = addEntry(language, "English1", "English", true, true);
    QAction* japanese = addEntry(language, "Japanese", "日本語", true);
    radioGroup({english, japanese}, false);
    connect(english, &QAction::triggered, this, &TForm1::English1Click);
    connect(japanese, &QAction::triggered, this, &TForm1::JapaneseClick);

    QMenu* inspect = addMenu(nullptr, "Inspect2", "Inspect");
    connect(inspect, &QMenu::aboutToShow, this, &TForm1::Inspect2Click);
    addEntry(inspect, "WaveForm1", "WaveForm", true);
    addEntry(inspect, "StepData", "Step Data", true);
    addEntry(inspect, "Buffer1", "Buffer", true);
    addEntry(inspect, "SaveImage1", "Save Image");

    QMenu* develop = addMenu(nullptr, "Develop1", "Develop");
    connect(develop, &QMenu::aboutToShow, this, &TForm1::Develop1Click);
    addEntry(develop, "FRAMEditor1", "FRAM Editor");
    addEntry(develop, "motfile1", "mot To kvr file");
    addEntry(develop, "Hosei1", "Hosei", true);
    QMenu* angle = addMenu(develop, "LDMAngleHosei1", "LDM Angle-Hosei ");
    addEntry(angle, "LDM38PT1", "LDM-38PT");
    addEntry(angle, "LDM17HC1", "LDM-17HC");
    addEntry(angle, "LDM17PT1", "LDM-17PT");
    addEntry(develop, "CancelUpdate1", "Cancel Update");

    QMenu* sensorMenu = addMenu(nullptr, "Sensor1", "Sensor");
    connect(sensorMenu, &QMenu::aboutToShow, this, &TForm1::Sensor1Click);
    addEntry(sensorMenu, "AutoDetect1", "Auto Detect", true, true);
    radioGroup({addEntry(sensorMenu, "ZETALDM1", "Zeta-LDM"), addEntry(sensorMenu, "VOLDM1", "VO-LDM"),
                addEntry(sensorMenu, "QWJ1", "QWJ"), addEntry(sensorMenu, "LDM2", "LDM-PT"),
                addEntry(sensorMenu, "LDM1", "LDM-HC"), addEntry(sensorMenu, "KVRW611", "KVR-W61"),
                addEntry(sensorMenu, "KVR17HC1", "KVR-17HC"), addEntry(sensorMenu, "KVR38PT1", "KVR-38PT")},
               true);
    addEntry(sensorMenu, "KVR17HCD1", "KVR-17HC-D");
    addEntry(sensorMenu, "KVR38PT621", "KVR-38PT-62");
    addEntry(sensorMenu, "KVR38PTD621", "KVR-38PTD-62");

    QMenu* w61 = addMenu(nullptr, "KVRW61Mode1", "KVR-W61Mode");
    addEntry(w61, "NModeSelect", "Mode Select");

    // Hidden until a start switch shows them.
    for (const char* name :
         {"Develop1", "KVRW61Mode1", "Sensor1", "Inspect2", "AdvancedUpdate", "UpdateDelay1"})
        entry(name)->setVisible(false);

    // Every check mark feeds the menu state; connected after the groups so the state sees the final marks.
    for (QAction* a : findChildren<QAction*>())
        if (a->isCheckable()) connect(a, &QAction::toggled, this, &TForm1::syncMenuState);
}

void TForm1::applyStartSwitches() {
    const bool develop = m_services.options.develop;
    const bool inspect = m_services.options.inspect;
    entry("Develop1")->setVisible(develop);
    entry("KVRW61Mode1")->setVisible(develop);
    for (const char* name : {"Sensor1", "Inspect2", "AdvancedUpdate", "UpdateDelay1"})
        entry(name)->setVisible(inspect);
    syncMenuState();
}

QToolButton* TForm1::addToolButton(const char* name, const char* hint, avz::Glyph glyph) {
    auto* b = new QToolButton(m_toolBar);
    b->setObjectName(name);
    b->setToolTip(QString::fromUtf8(hint));
    b->setIcon(avz::glyphIcon(glyph));
    b->setAutoRaise(true);
    m_toolBar->addWidget(b);
    return b;
}

void TForm1::buildToolBar() {
    m_toolBar = addToolBar("ToolBar1");
    m_toolBar->setObjectName("ToolBar1");
    m_toolBar->setMovable(false);
    using G = avz::Glyph;
    addToolButton("OpenDataFileButton", "Open Data File", G::OpenData);
    addToolButton("SpeedButton6", "Open Area File", G::OpenArea);
    addToolButton("SpeedButton5", "Save area into file", G::SaveArea);
    addToolButton("SpeedButton10", "Print", G::Print);
    m_toolBar->addSeparator();
    addToolButton("SpeedButton1", "READ AREA PATTERNS IN SENSOR", G::AreaRead);
    addToolButton("SpeedButton2", "WRITE AREA PATTERNS TO SENSOR", G::AreaWrite);
    addToolButton("SpeedButton3", "Area Write On/Off", G::AreaOnOff);
    m_toolBar->addSeparator();
    addToolButton("SpeedButton8", "Copy", G::Copy);
    addToolButton("SpeedButton9", "Cut", G::Cut);
    addToolButton("SpeedButton7", "Paste", G::Paste);
    m_toolBar->addSeparator();
    addToolButton("SpeedButton17", "Zoom Up", G::ZoomUp);
    addToolButton("SpeedButton16", "Zoom down", G::ZoomDown);
    addToolButton("SpeedButton11", "Reset View", G::ResetView);
    addToolButton("SpeedButton15", "Recorded Data", G::RecordedData);
    m_toolBar->addSeparator();
    connect(addToolButton("SpeedButton4", "Com Close", G::ComClose), &QToolButton::clicked, this,
            &TForm1::SpeedButton4Click);
    connect(addToolButton("SpeedButton12", "Reconnect", G::Reconnect), &QToolButton::clicked, this,
            &TForm1::SpeedButton12Click);
    m_toolBar->addSeparator();

    m_areaList = new QComboBox(m_toolBar);
    m_areaList->setObjectName("ComboBox1");
    m_areaList->setEditable(true);
    m_areaList->setInsertPolicy(QComboBox::NoInsert);
    m_areaList->setCompleter(nullptr);
    // The two-character limit on typing belongs to the area editor: a line edit's own maximum would also cut
    // the item names it shows.
    for (int i = 1; i <= avz::kDesignAreaCount; ++i)
        m_areaList->addItem(QString::fromStdString(avz::spacedAreaName(i, false)));
    m_toolBar->addWidget(m_areaList);
    m_shapeList = new QComboBox(m_toolBar);
    m_shapeList->setObjectName("ComboBox2");
    for (int i = 0; i < avz::kShapeCount; ++i)
        m_shapeList->addItem(QString::fromStdString(avz::shapeName(i, false)));
    m_toolBar->addWidget(m_shapeList);
    connectAreaCommands();
}

void TForm1::buildStatusBar() {
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName("StatusBar1");
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setMinimumHeight(22);
    setStatusBar(m_statusBar);
    static const char* const kInitial[5] = {"", "", "Coordinate:(x , y)", "Area 1(Straight)",
                                            "    Connection State and Port Number"};
    for (int i = 0; i < 5; ++i) {
        // Placed by hand, not by the status bar's own layout, so the widths follow the window's shares.
        m_panels[i] = new QLabel(QString::fromUtf8(kInitial[i]), m_statusBar);
        m_panels[i]->setObjectName(QString("StatusPanel%1").arg(i));
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    m_progress = new QProgressBar(m_statusBar);
    m_progress->setObjectName("ProgressBar1");
    m_progress->setTextVisible(false);
    m_progress->setValue(0);
    m_progress->move(177, avz::kProgressTop);
    m_pictureLabel = new QLabel(m_statusBar);
    m_pictureLabel->setObjectName("ConnectionPicture");
    m_pictureLabel->setFixedSize(24, 16);
    m_pictureLabel->move(650, avz::kPictureTop);
    m_lamp = new avz::StatusLamp(m_statusBar);
    m_lamp->setObjectName("StatusLamp");
    m_lamp->move(657, avz::kLampTop);
    showConnectionPicture(avz::ConnectionPicture::Disconnected);
}

void TForm1::ToolBar2Click() {
    m_toolBar->setVisible(entry("ToolBar2")->isChecked());
}

void TForm1::StatusBar3Click() {
    m_statusBar->setVisible(entry("StatusBar3")->isChecked());
}

void TForm1::syncMenuState() {
    auto checked = [this](const char* name) {
        const QAction* a = entry(name);
        return a && a->isChecked();
    };
    avz::MenuState& m = m_menu;
    m.playBack = checked("PlayBackRecordedData1");
    m.showAllRecorded = checked("Frame2");
    m.toolBar = checked("ToolBar2");
    m.statusBar = checked("StatusBar3");
    m.portEntry = checkedPortEntry();
    m.disconnect = m_disconnect && m_disconnect->isChecked();
    m.speedEntry = checkedSpeedEntry() - 1;
    m.ioCheck = checked("IOCheck1");
    m.areasVisible = checked("Visible1");
    m.grid = checked("Circular1") ? avz::GridMode::Circular
             : checked("Both1")   ? avz::GridMode::Both
                                  : avz::GridMode::Straight;
    m.colour = checked("Blue1")    ? avz::ColourScheme::Blue
               : checked("Green1") ? avz::ColourScheme::Green
                                   : avz::ColourScheme::Gray;
    m.plot = checked("Lines1")    ? avz::PlotMode::Lines
             : checked("Points1") ? avz::PlotMode::Points
             : checked("Frame1")  ? avz::PlotMode::Frame
                                  : avz::PlotMode::Area;
    m.rotationDeg = checked("N90deg1") ? 90 : checked("N180deg1") ? 180 : checked("N270deg1") ? 270 : 0;
    m.standardUpdate = checked("StandardUpdate");
    static const struct {
        const char* name;
        int ms;
    } kDelays[] = {{"N51", 5}, {"N101", 10}, {"N201", 20}, {"N301", 30}, {"N401", 40}, {"N501", 50}};
    m.updateDelayMs = 0;
    for (const auto& d : kDelays)
        if (checked(d.name)) m.updateDelayMs = d.ms;
    m.english = checked("English1");
    m.japanese = checked("Japanese");
    m.waveForm = checked("WaveForm1");
    m.stepData = checked("StepData");
    m.buffer = checked("Buffer1");
    m.hosei = checked("Hosei1");
    m.autoDetect = checked("AutoDetect1");
    static const struct {
        const char* name;
        const char* model;
    } kModels[] = {{"ZETALDM1", "ZETA-LDM"}, {"VOLDM1", "Vo-LDM"},    {"QWJ1", "LDM"},
                   {"LDM2", "LDM-PT"},       {"LDM1", "LDM"},         {"KVRW611", "KVR-W61"},
                   {"KVR17HC1", "KVR-17HC"}, {"KVR38PT1", "KVR-38PT"}};
    m.manualModel.clear();
    for (const auto& e : kModels)
        if (checked(e.name)) m.manualModel = e.model;
    const QAction* develop = entry("Develop1");
    const QAction* inspect = entry("Inspect2");
    m.developVisible = develop && develop->isVisible();
    m.inspectVisible = inspect && inspect->isVisible();
}
