// TForm5: the numeric area input window, where the current area's vertices are typed in millimetres.
#pragma once

#include <QWidget>
#include <array>

#include "app/settings.h"
#include "areas/numeric_input.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

class TForm5 : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHintMs = 2000;

    explicit TForm5(QWidget* parent = nullptr);

    void FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight);
    avz::WindowSettings currentSettings() const;
    // The main window this window edits the areas of; until then the fields only hold text.
    void attachMain(avz::NumericInputHost* host);

    QComboBox* areaList() const { return m_areaList; }
    QComboBox* shapeList() const { return m_shapeList; }
    // Field k: 0..13 Edit1..Edit14, 14 Edit17, 15 Edit19.
    QLineEdit* field(int k) const;
    QPushButton* setAreaButton() const { return m_setArea; }
    QRadioButton* hysteresis625() const { return m_radio1; }
    QRadioButton* hysteresis317() const { return m_radio2; }
    QGroupBox* output2Group() const { return m_output2Group; }
    QGroupBox* output3Group() const { return m_output3Group; }
    QWidget* hintPanel() const { return m_hintPanel; }
    QLabel* hintLabel() const { return m_hintLabel; }
    QTimer* timer1() const { return m_timer1; }

    // The all-fields-valid flag: set at creation, then the result of the last check "Set Area" ran.
    bool allFieldsValid() const { return m_allValid; }

    // What the main window's area selection writes into this window; none of them is a user's choice.
    void setAreaCount(int count, bool japanese);
    void selectArea(int area, int shape);
    void loadArea(const avz::AreaPattern& area);
    void loadVertex(int vertex, avz::AreaPoint p);
    void loadPartitions(std::int32_t output2, std::int32_t output3);

public slots:
    void FormShow();
    void FormHide();
    void Button1Click();
    void Edit1Enter();
    void Edit1Exit() { fieldExit(0); }
    void Edit2Exit() { fieldExit(1); }
    void Edit3Exit() { fieldExit(2); }
    void Edit4Exit() { fieldExit(3); }
    void Edit5Exit() { fieldExit(4); }
    void Edit6Exit() { fieldExit(5); }
    void Edit7Exit() { fieldExit(6); }
    void Edit8Exit() { fieldExit(7); }
    void Edit9Exit() { fieldExit(8); }
    void Edit10Exit() { fieldExit(9); }
    void Edit11Exit() { fieldExit(10); }
    void Edit12Exit() { fieldExit(11); }
    void Edit13Exit() { fieldExit(12); }
    void Edit14Exit() { fieldExit(13); }
    void Edit17Exit() { fieldExit(avz::kOutput2Field); }
    void Edit19Exit() { fieldExit(avz::kOutput3Field); }
    void ComboBox1Change(int index);
    void ComboBox2Change(int index);
    void RadioButton1Click();
    void RadioButton2Click();
    void Edit17MouseMove();
    void Panel3MouseMove() { Edit17MouseMove(); }
    void Timer1Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fieldExit(int k);
    bool checkField(int k);
    void commit();
    void syncFromEdits();
    void syncToEdits();
    avz::NumericLimits limits() const;
    int selectedArea() const;
    void updateOutputCaptions();

    avz::WindowSettings m_settings = avz::defaultWindowSettings(avz::WindowKind::NumericInput);
    avz::NumericInputHost* m_host = nullptr;
    avz::NumericAreaFields m_fields;
    bool m_allValid = true;
    bool m_checking = false;  // a check's message box or refocus must not start the check of another field

    QWidget* m_selectionPanel;
    QComboBox* m_areaList;
    QComboBox* m_shapeList;
    std::array<QLineEdit*, avz::kNumericFields> m_edits{};
    QGroupBox* m_output2Group = nullptr;
    QGroupBox* m_output3Group = nullptr;
    QRadioButton* m_radio1 = nullptr;
    QRadioButton* m_radio2 = nullptr;
    QPushButton* m_setArea = nullptr;
    QWidget* m_hintPanel = nullptr;
    QLabel* m_hintLabel = nullptr;
    QTimer* m_timer1 = nullptr;
};
