// The main window as the detection workflow sees it: a thin forwarder, kept apart from TForm1 because some of
// the workflow's names (areaList, checkSpeedEntry) already mean other things on the window.
#pragma once

#include <string>
#include <vector>

#include "sensor/detection.h"

class TForm1;

class DetectionBridge : public avz::DetectionHost {
public:
    explicit DetectionBridge(TForm1& form) : m_form(form) {}

    std::vector<std::string> enumeratePorts() override;
    void setPortEntries(const std::vector<std::string>& ports) override;
    std::string portEntryCaption(int entry) const override;
    void checkPortEntry(int entry) override;
    void checkSpeedEntry(int baud) override;
    void checkDisconnect() override;
    void selectPort(int entry) override;

    void showConnectionPicture(avz::ConnectionPicture picture) override;
    void setStatusConnectionText(const std::string& text) override;
    void showDetectingPanel() override;
    void setDetectingPanelText(const std::string& text) override;
    void startTimer8() override;
    void stopTimer8() override;
    bool mainWindowEnabled() const override;
    void setMainWindowEnabled(bool enabled) override;

    void clearMultiChannelView() override;
    void disableFramWriteButton() override;
    void createReaderThread() override;
    bool developVisible() const override;
    bool standardRecommendedChecked() const override;
    bool japanese() const override;

    std::vector<std::string> areaList() const override;
    void setAreaList(const std::vector<std::string>& entries) override;
    std::vector<std::string> numericAreaList() const override;
    void setNumericAreaList(const std::vector<std::string>& entries) override;
    void setAreasHidden() override;
    void selectFirstAreaAndShape() override;
    void setStepFields(int step) override;

    void hideNumericInputAndDataRecord() override;
    void focusViewPanelIfEnabled() override;
    void setWaveformStepIfVisible(int step) override;
    void setIoCheckFifthInputEnabled(bool enabled) override;
    void disableFramWriteButtonIfVisible() override;

    void setFiveMeterBox(bool checked) override;
    void hideDetectingPanel() override;
    void clearVersionTree() override;

private:
    TForm1& m_form;
};
