// TForm5: creation, lists and placement of the numeric area input window.
#include "areas/numeric_input_window.h"

#include <QComboBox>
#include <QFormLayout>

#include "app/captions.h"
#include "app/window_settings_qt.h"

TForm5::TForm5(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      m_areaList(new QComboBox(this)),
      m_shapeList(new QComboBox(this)) {
    setObjectName("Form5");
    setWindowTitle("Numeric Input");
    m_areaList->setObjectName("ComboBox1");
    m_shapeList->setObjectName("ComboBox2");
    for (int i = 1; i <= avz::kDesignAreaCount; ++i)
        m_areaList->addItem(QString::fromStdString(avz::spacedAreaName(i, false)));
    for (int i = 0; i < avz::kShapeCount; ++i)
        m_shapeList->addItem(QString::fromStdString(avz::shapeName(i, false)));
    auto* layout = new QFormLayout(this);
    layout->addRow("Area            :", m_areaList);
    layout->addRow("Shape          :", m_shapeList);
}

void TForm5::FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight) {
    m_settings =
        avz::readWindowSettings(store, avz::WindowKind::NumericInput, mainClientWidth, mainClientHeight);
    avz::applyWindowSettings(*this, m_settings);
}

avz::WindowSettings TForm5::currentSettings() const {
    avz::WindowSettings s = m_settings;
    avz::captureWindowSettings(*this, s);
    return s;
}
