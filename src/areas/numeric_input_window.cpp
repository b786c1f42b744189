// TForm5: layout, field checks, commit and selection following of the numeric area input window.
#include "areas/numeric_input_window.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/captions.h"
#include "app/window_settings_qt.h"
#include "sensor/sensor_model.h"

namespace {

QLineEdit* numberField(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit("0", parent);
    e->setObjectName(name);
    e->setMaxLength(static_cast<int>(avz::kNumericFieldChars));
    e->setFixedWidth(60);
    return e;
}

QLineEdit* disabledField(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setEnabled(false);
    e->setFixedWidth(60);
    return e;
}

}  // namespace

TForm5::TForm5(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      m_selectionPanel(new QWidget(this)),
      m_areaList(new QComboBox(m_selectionPanel)),
      m_shapeList(new QComboBox(m_selectionPanel)) {
    setObjectName("Form5");
    setWindowTitle("Numeric Input");
    m_selectionPanel->setObjectName("Panel1");
    m_selectionPanel->setFocusPolicy(Qt::StrongFocus);
    m_areaList->setObjectName("ComboBox1");
    m_shapeList->setObjectName("ComboBox2");
    for (int i = 1; i <= avz::kDesignAreaCount; ++i)
        m_areaList->addItem(QString::fromStdString(avz::spacedAreaName(i, false)));
    for (int i = 0; i < avz::kShapeCount; ++i)
        m_shapeList->addItem(QString::fromStdString(avz::shapeName(i, false)));
    auto* selection = new QFormLayout(m_selectionPanel);
    selection->addRow("Area            :", m_areaList);
    selection->addRow("Shape          :", m_shapeList);

    auto* header = new QWidget(this);
    auto* headerRow = new QHBoxLayout(header);
    auto* outputLabel = new QLabel("Output", header);
    headerRow->addWidget(outputLabel);
    for (const char* caption : {"      X  mm", "      Y  mm"}) {
        auto* e = new QLineEdit(caption, header);
        e->setReadOnly(true);
        e->setFixedWidth(60);
        e->installEventFilter(this);  // entering a header field gives the selection panel the focus
        headerRow->addWidget(e);
    }

    auto* output1 = new QGroupBox("Output 1", this);
    auto* grid = new QGridLayout(output1);
    for (int k = 0; k < 14; ++k) {
        m_edits[static_cast<std::size_t>(k)] = numberField(output1, QString("Edit%1").arg(k + 1));
        grid->addWidget(m_edits[static_cast<std::size_t>(k)], k / 2, k % 2);
    }
    m_output2Group = new QGroupBox("Output 2", this);
    m_output2Group->setObjectName("Panel3");
    m_output2Group->setMouseTracking(true);
    auto* row2 = new QHBoxLayout(m_output2Group);
    m_edits[avz::kOutput2Field] = numberField(m_output2Group, "Edit17");
    m_edits[avz::kOutput2Field]->setMouseTracking(true);
    row2->addWidget(m_edits[avz::kOutput2Field]);
    row2->addWidget(disabledField(m_output2Group, "Edit18"));
    m_output3Group = new QGroupBox("Output 3", this);
    auto* row3 = new QHBoxLayout(m_output3Group);
    m_edits[avz::kOutput3Field] = numberField(m_output3Group, "Edit19");
    row3->addWidget(m_edits[avz::kOutput3Field]);
    row3->addWidget(disabledField(m_output3Group, "Edit20"));

    auto* hysteresis = new QGroupBox("Hysteresis", this);
    auto* rowH = new QHBoxLayout(hysteresis);
    m_radio1 = new QRadioButton("6.25 %", hysteresis);
    m_radio1->setObjectName("RadioButton1");
    m_radio1->setChecked(true);
    m_radio2 = new QRadioButton("3.17%", hysteresis);
    m_radio2->setObjectName("RadioButton2");
    rowH->addWidget(m_radio1);
    rowH->addWidget(m_radio2);

    m_setArea = new QPushButton("Set Area", this);
    m_setArea->setObjectName("Button1");
    m_setArea->setEnabled(false);

    m_hintPanel = new QWidget(this);
    m_hintPanel->setObjectName("Panel7");
    auto* hintRow = new QVBoxLayout(m_hintPanel);
    m_hintLabel = new QLabel("Output 3: 9999", m_hintPanel);
    m_hintLabel->setObjectName("Label3");
    hintRow->addWidget(m_hintLabel);
    m_hintPanel->hide();
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName("Timer1");
    m_timer1->setInterval(kHintMs);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : std::initializer_list<QWidget*>{m_selectionPanel, header, output1, m_output2Group,
                                                      m_output3Group, hysteresis, m_setArea, m_hintPanel})
        layout->addWidget(w);

    for (QLineEdit* e : m_edits) e->installEventFilter(this);
    m_output2Group->installEventFilter(this);
    for (QWidget* w : std::initializer_list<QWidget*>{outputLabel, output1, m_output3Group, hysteresis})
        w->installEventFilter(this);
    connect(m_setArea, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(m_areaList, &QComboBox::activated, this, &TForm5::ComboBox1Change);
    connect(m_shapeList, &QComboBox::activated, this, &TForm5::ComboBox2Change);
    connect(m_radio1, &QRadioButton::clicked, this, &TForm5::RadioButton1Click);
    connect(m_radio2, &QRadioButton::clicked, this, &TForm5::RadioButton2Click);
    connect(m_timer1, &QTimer::timeout, this, &TForm5::Timer1Timer);
}

void TForm5::FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight) {
    m_settings =
        avz::readWindowSettings(store, avz::WindowKind::NumericInput, mainClientWidth, mainClientHeight);
    avz::applyWindowSettings(*this, m_settings);
    m_allValid = true;
}

avz::WindowSettings TForm5::currentSettings() const {
    avz::WindowSettings s = m_settings;
    avz::captureWindowSettings(*this, s);
    return s;
}

void TForm5::attachMain(avz::NumericInputHost* host) {
    m_host = host;
    if (!m_host) return;
    setAreaCount(m_host->numericModel().areaCount, m_host->numericJapanese());
    m_host->focusMainView();
}

QLineEdit* TForm5::field(int k) const {
    return m_edits[static_cast<std::size_t>(std::clamp(k, 0, avz::kNumericFields - 1))];
}

void TForm5::setAreaCount(int count, bool japanese) {
    const int n = std::clamp(count, 0, avz::kAreaSlots);
    const bool blocked = m_areaList->blockSignals(true);
    for (int i = m_areaList->count() + 1; i <= n; ++i)
        m_areaList->addItem(QString::fromStdString(avz::spacedAreaName(i, japanese)));
    while (m_areaList->count() > n) m_areaList->removeItem(m_areaList->count() - 1);
    m_areaList->blockSignals(blocked);
}

void TForm5::selectArea(int area, int shape) {
    const bool b1 = m_areaList->blockSignals(true);
    const bool b2 = m_shapeList->blockSignals(true);
    m_areaList->setCurrentIndex(std::max(area, 0) < m_areaList->count() ? std::max(area, 0) : -1);
    m_shapeList->setCurrentIndex(std::clamp(shape, 0, avz::kShapeCount - 1));
    m_areaList->blockSignals(b1);
    m_shapeList->blockSignals(b2);
    updateOutputCaptions();
}

void TForm5::loadArea(const avz::AreaPattern& area) {
    m_fields.load(area);
    syncToEdits();
    (area.HalfHysteresis == 1 ? m_radio2 : m_radio1)->setChecked(true);
    updateOutputCaptions();
}

void TForm5::loadVertex(int vertex, avz::AreaPoint p) {
    m_fields.loadVertex(vertex, p);
    syncToEdits();
}

void TForm5::loadPartitions(std::int32_t output2, std::int32_t output3) {
    m_fields.loadPartitions(output2, output3);
    syncToEdits();
    updateOutputCaptions();
    update();
}

void TForm5::syncFromEdits() {
    for (int k = 0; k < avz::kNumericFields; ++k) {
        const std::string typed = field(k)->text().toStdString();
        if (typed != m_fields.text(k)) m_fields.setText(k, typed);
    }
}

void TForm5::syncToEdits() {
    for (int k = 0; k < avz::kNumericFields; ++k) {
        const QString text = QString::fromStdString(m_fields.text(k));
        if (field(k)->text() != text) field(k)->setText(text);
    }
}

avz::NumericLimits TForm5::limits() const {
    if (!m_host) return {};
    const avz::SensorModel& model = m_host->numericModel();
    return avz::NumericLimits{model.maxRange, model.scanAngle};
}

int TForm5::selectedArea() const {
    return std::clamp(m_areaList->currentIndex(), 0, avz::kAreaSlots - 1);
}

bool TForm5::checkField(int k) {
    if (!m_host) return true;
    m_checking = true;
    syncFromEdits();
    const avz::FieldCheck c = m_fields.check(k, limits(), m_host->numericDialogs());
    syncToEdits();
    if (c.partitionsSwapped) {
        m_host->numericPartitionsSwapped();
        update();
    }
    if (c.refocus && isVisible()) field(k)->setFocus();
    m_checking = false;
    return c.valid;
}

void TForm5::fieldExit(int k) {
    if (m_checking) return;
    if (checkField(k)) commit();
}

void TForm5::commit() {
    if (!m_host) return;
    syncFromEdits();
    avz::AreaState& areas = m_host->numericAreas();
    const int area = selectedArea();
    avz::AreaPattern& a = areas.table.at(area);
    m_fields.commitInto(a, m_host->numericModel().maxRange);
    a.PartitionShape = std::max(m_shapeList->currentIndex(), 0);
    a.HalfHysteresis = m_radio2->isChecked() ? 1 : 0;
    areas.areasChanged = true;
    m_host->numericAreaCommitted(area);
}

void TForm5::Button1Click() {
    if (!m_host || m_checking) return;
    m_checking = true;
    syncFromEdits();
    const avz::SetAreaCheck c = avz::checkAllFields(m_fields, limits(), m_host->numericDialogs());
    syncToEdits();
    if (c.partitionsSwapped) m_host->numericPartitionsSwapped();
    if (c.refocus && isVisible()) field(c.stoppedAt)->setFocus();
    m_checking = false;
    m_allValid = c.allValid;
    if (!m_allValid) return;
    commit();
    m_setArea->setEnabled(false);
    update();
}

void TForm5::Edit1Enter() {
    m_setArea->setEnabled(true);
}

void TForm5::FormShow() {
    if (!m_host) return;
    const int area = std::max(m_host->mainAreaSelection(), 0);
    const int shape = std::max(m_host->mainShapeSelection(), 0);
    const bool japanese = m_host->numericJapanese();
    if (japanese) {
        const bool b1 = m_areaList->blockSignals(true);
        const bool b2 = m_shapeList->blockSignals(true);
        for (int i = 0; i < m_areaList->count(); ++i)
            m_areaList->setItemText(i, QString::fromStdString(avz::areaName(i + 1, true)));
        for (int i = 0; i < m_shapeList->count() && i < avz::kShapeCount; ++i)
            m_shapeList->setItemText(i, QString::fromStdString(avz::shapeName(i, true)));
        m_areaList->blockSignals(b1);
        m_shapeList->blockSignals(b2);
    }
    selectArea(area, shape);
    setAreaCount(m_host->numericModel().areaCount, japanese);
    m_host->focusMainView();
    m_selectionPanel->setFocus();
}

void TForm5::FormHide() {
    if (!m_host || m_host->numericMainClosing()) return;
    // Tells the user about what is left invalid; nothing is committed.
    for (int k = 0; k < avz::kNumericFields; ++k) checkField(k);
}

void TForm5::ComboBox1Change(int index) {
    if (!m_host) return;
    m_host->numericAreaSelected(std::max(index, 0));
    m_setArea->setEnabled(true);
}

void TForm5::ComboBox2Change(int index) {
    if (!m_host) return;
    const int shape = std::max(index, 0);
    m_host->numericAreas().table.at(selectedArea()).PartitionShape = shape;
    m_host->numericShapeChosen(shape);
    m_setArea->setEnabled(true);
    updateOutputCaptions();
    update();
}

void TForm5::RadioButton1Click() {
    if (m_host) m_host->numericAreas().table.at(selectedArea()).HalfHysteresis = 0;
    m_setArea->setEnabled(true);
}

void TForm5::RadioButton2Click() {
    if (m_host) m_host->numericAreas().table.at(selectedArea()).HalfHysteresis = 1;
    m_setArea->setEnabled(true);
}

void TForm5::updateOutputCaptions() {
    bool split = false;
    if (m_host && avz::isMultiOutputModel(m_host->numericModel().name) &&
        std::max(m_shapeList->currentIndex(), 0) == avz::kShapeStraight) {
        // The Output 2 handle stands on the sensor exactly when the area has no Output 2 zone.
        const avz::AreaPattern& a = m_host->numericAreas().table.at(selectedArea());
        split = a.output2 != 0;
    }
    m_output2Group->setTitle(split ? "Output 2, 3, 4, 5, 6" : "Output 2");
    m_output3Group->setTitle(split ? "Output 7" : "Output 3");
}

void TForm5::Edit17MouseMove() {
    if (!m_host || !avz::isMultiOutputModel(m_host->numericModel().name)) return;
    if (std::max(m_shapeList->currentIndex(), 0) != avz::kShapeStraight || m_hintPanel->isVisible()) return;
    syncFromEdits();
    const std::optional<std::string> hint = avz::outputHint(m_fields);
    if (!hint) return;
    m_hintLabel->setText(QString::fromStdString(*hint));
    m_timer1->start();
    m_hintPanel->show();
}

void TForm5::Timer1Timer() {
    m_hintPanel->hide();
    m_timer1->stop();
}

void TForm5::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm5::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    FormHide();
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
    const auto found = std::find(m_edits.begin(), m_edits.end(), watched);
    if (found != m_edits.end()) {
        const int k = static_cast<int>(found - m_edits.begin());
        if (event->type() == QEvent::FocusIn) Edit1Enter();
        // Leaving the field for another control is an exit; the window losing activation or a popup is not.
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) fieldExit(k);
        }
        if (event->type() == QEvent::MouseMove && k == avz::kOutput2Field) Edit17MouseMove();
        return false;
    }
    if (watched == m_output2Group && event->type() == QEvent::MouseMove) Panel3MouseMove();
    // Clicks on the panels and labels, and entering a header field, go to the selection panel.
    if (event->type() == QEvent::MouseButtonPress ||
        (event->type() == QEvent::FocusIn && watched->isWidgetType() && qobject_cast<QLineEdit*>(watched)))
        m_selectionPanel->setFocus();
    return false;
}
