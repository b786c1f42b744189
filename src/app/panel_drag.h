// Moves a floating panel of the main window by dragging it onto the view: a left press on the panel (not on one
// of its controls) starts the drag, and the release ends it, with the point under the pointer in the view's
// coordinates and whether that point lies on the view.
#pragma once

#include <QMouseEvent>
#include <QObject>
#include <QWidget>

#include <functional>
#include <utility>

namespace avz {

class PanelDrag : public QObject {
public:
    PanelDrag(QWidget* panel, QWidget* view, std::function<void()> start, std::function<void(int, int, bool)> end)
        : QObject(panel), m_panel(panel), m_view(view), m_start(std::move(start)), m_end(std::move(end)) {
        panel->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_panel) return QObject::eventFilter(watched, event);
        if (event->type() == QEvent::MouseButtonPress) {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() != Qt::LeftButton) return false;
            m_dragging = true;
            m_panel->grabMouse(Qt::DragMoveCursor);
            m_start();
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease && m_dragging) {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() != Qt::LeftButton) return false;
            m_dragging = false;
            m_panel->releaseMouse();
            const QPoint at = m_view->mapFromGlobal(me->globalPosition().toPoint());
            m_end(at.x(), at.y(), m_view->rect().contains(at));
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_panel;
    QWidget* m_view;
    std::function<void()> m_start;
    std::function<void(int, int, bool)> m_end;
    bool m_dragging = false;
};

}  // namespace avz
