// TForm1: switching the interface between English and Japanese, and the hidden Help entry.
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QUrl>

#include "app/captions.h"
#include "app/main_window.h"
#include "areas/numeric_input_window.h"
#include "tools/io_check_window.h"

bool TForm1::japaneseSelected() const {
    const QAction* a = entry("Japanese");
    return a && a->isChecked();
}

void TForm1::applyCaptions(bool japanese, bool includeIoLabels) {
    for (const avz::CaptionEntry& e : avz::mainCaptionTable()) {
        const char* caption = avz::captionFor(e, japanese);
        if (!caption) continue;
        if (QAction* a = entry(e.control)) a->setText(QString::fromUtf8(caption));
    }
    if (!includeIoLabels || !m_windows.form9) return;
    for (const avz::CaptionEntry& e : avz::ioCheckLabelTable()) {
        const char* caption = avz::captionFor(e, japanese);
        if (QLabel* label = m_windows.form9->noticeLabel(e.control[0] - '0'); label && caption)
            label->setText(QString::fromUtf8(caption));
    }
}

namespace {

std::vector<std::string> itemsOf(const QComboBox& box) {
    std::vector<std::string> items;
    for (int i = 0; i < box.count(); ++i) items.push_back(box.itemText(i).toStdString());
    return items;
}

}  // namespace

void TForm1::renameLists(bool japanese) {
    const int area = avz::indexOrFirst(itemsOf(*m_areaList), m_areaList->currentText().toStdString());
    const int shape = avz::indexOrFirst(itemsOf(*m_shapeList), m_shapeList->currentText().toStdString());
    QComboBox* numericArea = m_windows.form5 ? m_windows.form5->areaList() : nullptr;
    QComboBox* numericShape = m_windows.form5 ? m_windows.form5->shapeList() : nullptr;

    // Renaming is not a choice of the user: the lists' change actions must not run.
    const bool b1 = m_areaList->blockSignals(true);
    const bool b2 = m_shapeList->blockSignals(true);
    for (int i = 0; i < m_areaList->count(); ++i) {
        const QString name = QString::fromStdString(avz::areaName(i + 1, japanese));
        m_areaList->setItemText(i, name);
        if (numericArea && i < numericArea->count()) numericArea->setItemText(i, name);
    }
    for (int i = 0; i < m_shapeList->count() && i < avz::kShapeCount; ++i) {
        const QString name = QString::fromStdString(avz::shapeName(i, japanese));
        m_shapeList->setItemText(i, name);
        if (numericShape && i < numericShape->count()) numericShape->setItemText(i, name);
    }
    m_areaList->setCurrentIndex(area);
    m_shapeList->setCurrentIndex(shape);
    m_areaList->blockSignals(b1);
    m_shapeList->blockSignals(b2);
    if (numericArea) numericArea->setCurrentIndex(area);
    if (numericShape) numericShape->setCurrentIndex(shape);
}

void TForm1::switchLanguage(bool japanese) {
    applyCaptions(japanese, true);
    renameLists(japanese);
    syncMenuState();
}

void TForm1::English1Click() {
    switchLanguage(false);
}

void TForm1::JapaneseClick() {
    switchLanguage(true);
}

void TForm1::AboutRangeSensor1Click() {
    const QString name = entry("English1")->isChecked() ? "DEZede.HLP" : "DEZede.chm";
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    // A missing help file is not reported.
    if (!QFileInfo::exists(path)) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    emit helpFileOpened(path);
}
