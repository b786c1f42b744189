// TForm1: editing the current detection area on the view — the area and shape lists, the nine handles with
// their drag and drop rules, showing and hiding the areas, and Copy, Cut and Paste.
#include <QAction>
#include <QComboBox>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

#include "app/drawn_pictures.h"
#include "app/main_window.h"
#include "areas/numeric_input_window.h"

namespace {

constexpr double kDegPerRad = 57.29577951308232;

std::int32_t trunc32(double v) { return static_cast<std::int32_t>(std::trunc(v)); }

}  // namespace

void TForm1::showAreaText() {
    const int shape = std::max(0, m_shapeList->currentIndex());
    setPanelText(3, m_areaList->currentText() + " (" + m_shapeList->itemText(shape) + ")");
}

void TForm1::placeHandles() {
    const avz::AreaPattern& area = m_areas.table.at(m_areas.currentArea);
    for (std::size_t j = 0; j < 7; ++j) {
        const avz::Point p = m_view.mmToView(area.points[j].x, area.points[j].y, -5, -5);
        m_view.handles[j] = avz::HandleRect{p.x, p.y, 10, 9};
    }
    m_view.handles[7] = avz::HandleRect{m_view.partitionHandleLeft(), m_view.partitionHandleTop(area.output2), 40, 6};
    m_view.handles[8] = avz::HandleRect{m_view.partitionHandleLeft(), m_view.partitionHandleTop(area.output3), 40, 6};
}

void TForm1::ComboBox1Change() {
    m_comboInUse = true;
    refreshCurrentArea();
}

void TForm1::ComboBox1Enter() { m_comboInUse = true; }

void TForm1::ComboBox1Exit() {
    m_comboInUse = false;
    if (canTakeFocus() && m_scanView->isVisible()) m_scanView->setFocus();
}

void TForm1::ComboBox2Change() {
    m_comboInUse = true;
    if (canTakeFocus()) m_shapeList->setFocus();
    showAreaText();
    const int shape = std::max(0, m_shapeList->currentIndex());
    m_areas.table.at(m_areas.currentArea).PartitionShape = shape;
    // The numeric window shows the same shape, so its "Set Area" (run before Area Write) keeps the choice.
    if (m_windows.form5) m_windows.form5->selectArea(m_areas.currentArea, shape);
    repaintView();
}

void TForm1::ComboBox2Exit() { ComboBox1Exit(); }

void TForm1::ToolBar1Click() {
    if (canTakeFocus() && m_scanView->isVisible()) m_scanView->setFocus();
}

// Strictly inside: vertex handles first, then the two partition bars.
int TForm1::handleAt(int x, int y) const {
    for (int j = 0; j < 9; ++j) {
        const avz::HandleRect& h = m_view.handles[static_cast<std::size_t>(j)];
        if (x > h.left && x < h.left + h.width && y > h.top && y < h.top + h.height) return j;
    }
    return -1;
}

bool TForm1::hover(int x, int y) {
    const int h = handleAt(x, y);
    if (h != m_hoverHandle) {
        m_hoverHandle = h;
        m_scanView->setCursor(h < 0 ? QCursor() : h < 7 ? QCursor(Qt::SizeAllCursor) : QCursor(Qt::SizeVerCursor));
        if (h < 0) m_scanView->unsetCursor();
        repaintView();
    }
    return h >= 0;
}

void TForm1::startHandleDrag(int handle) {
    if (canTakeFocus()) m_scanView->setFocus();
    m_dragHandle = handle;
}

void TForm1::Panel1DragOver(int x, int y) {
    if (m_dragHandle < 0) return;
    avz::HandleRect& h = m_view.handles[static_cast<std::size_t>(m_dragHandle)];
    if (m_dragHandle < 7) {
        h.left = x - 5;
        h.top = y - 5;
    } else {
        // The bar cannot go behind the sensor; at the sensor the distance is 0.
        const int originY = m_view.origin().y;
        h.top = y < originY - 10 ? y : originY - 3;
    }
    repaintView();
}

bool TForm1::Panel1DropPanel(int x, int y) {
    QWidget* panel = m_playbackPanelMoving ? m_playbackPanel : m_stepPanelMoving ? m_stepPanel : nullptr;
    if (!panel) return false;
    panel->move(m_viewPanel->mapTo(this, QPoint(x, y)));
    panel->raise();
    return true;
}

void TForm1::Panel1DragDrop() {
    const int j = m_dragHandle;
    m_dragHandle = -1;
    if (j < 0) return;
    std::vector<std::string> items;
    for (int i = 0; i < m_areaList->count(); ++i) items.push_back(m_areaList->itemText(i).toStdString());
    int current = avz::areaIndexOf(items, m_areaList->currentText().toStdString());
    if (current < 0 || current >= avz::kAreaSlots) current = 0;
    m_areas.currentArea = current;
    avz::AreaPattern& area = m_areas.table.at(current);
    const std::int32_t rMax = m_sensor.model.maxRange;
    const avz::Point o = m_view.origin();

    if (j < 7) {
        avz::HandleRect& h = m_view.handles[static_cast<std::size_t>(j)];
        avz::Point mm = m_view.handleToMm(h.left, h.top);
        const avz::AreaPoint snapped = avz::snapVertex(avz::AreaPoint{mm.x, mm.y});
        mm = avz::Point{snapped.x, snapped.y};
        // The angle window of the model's range; a 90 degree model is treated as 180.
        int range = m_sensor.model.scanAngle == 90 ? 180 : m_sensor.model.scanAngle;
        if (mm.x != 0 || mm.y != 0) {
            double a = mm.x != 0 ? -std::atan(static_cast<double>(mm.y) / mm.x) * kDegPerRad : -90.0;
            const bool rearLeft = mm.x <= 0 && mm.y <= 0;
            if (mm.x >= 0 && !rearLeft) a += 180.0;
            const double rad = range / kDegPerRad;
            if (a < 180 - range) mm.y = trunc32(std::tan(rad) * mm.x);
            else if (a > range) mm.y = trunc32(std::tan(-rad) * mm.x);
        }
        mm.x = avz::clampToRange(mm.x, rMax);
        mm.y = avz::clampToRange(mm.y, rMax);
        const avz::Point at = m_view.mmToView(mm.x, mm.y, -5, -5);
        h.left = at.x;
        h.top = at.y;
        area.points[static_cast<std::size_t>(j)] = avz::AreaPoint{mm.x, mm.y};
        if (m_windows.form5) m_windows.form5->loadVertex(j, area.points[static_cast<std::size_t>(j)]);
    } else {
        avz::HandleRect& h = m_view.handles[static_cast<std::size_t>(j)];
        std::int32_t d = avz::snapPartition(m_view.partitionToMm(h.top));
        if (d == 0) h.top = o.y - 3;
        if (d > rMax) {
            d = rMax;
            h.top = m_view.partitionHandleTop(rMax);
        }
        (j == 7 ? area.output2 : area.output3) = d;
    }
    if (avz::orderPartitions(area)) std::swap(m_view.handles[7].top, m_view.handles[8].top);
    m_areas.areasChanged = true;
    // The numeric input window shows what the drop made of the area: the dropped vertex and both partitions;
    // what the user typed in its other fields stays.
    if (m_windows.form5) m_windows.form5->loadPartitions(area.output2, area.output3);
    repaintView();
}

void TForm1::SpeedButton3Click() {
    m_areas.areasHidden = !m_areas.areasHidden;
    const bool shown = !m_areas.areasHidden;
    if (auto* b = m_toolBar->findChild<QToolButton*>("SpeedButton3")) {
        b->setChecked(shown);
        b->setIcon(avz::glyphIcon(shown ? avz::Glyph::AreaOnOff : avz::Glyph::AreaOnOffHidden));
    }
    if (QAction* v = entry("Visible1")) v->setChecked(shown);
    if (!shown) {
        m_hoverHandle = -1;
        m_dragHandle = -1;
    }
    repaintView();
}

void TForm1::Visible1Click() { SpeedButton3Click(); }

void TForm1::SpeedButton8Click() {
    if (!canTakeFocus()) return;
    avz::copyArea(m_areas.table.at(m_areas.currentArea), m_areas.clipboard);
}

void TForm1::SpeedButton9Click() {
    if (!canTakeFocus()) return;
    avz::cutArea(m_areas.table.at(m_areas.currentArea), m_areas.clipboard);
    refreshCurrentArea();
    m_comboInUse = false;
}

void TForm1::SpeedButton7Click() {
    if (!canTakeFocus()) return;
    avz::pasteArea(m_areas.table.at(m_areas.currentArea), m_areas.clipboard);
    refreshCurrentArea();
    m_comboInUse = false;
}
