// The view port widget and the zoom cursors.
#include "view/scan_view_widget.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>

namespace avz {

ScanViewWidget::ScanViewWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("Panel1");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
}

void ScanViewWidget::showImage(const QImage& image) {
    m_image = image;
    update();
}

void ScanViewWidget::setCaption(const QString& caption) {
    if (caption == m_caption) return;
    m_caption = caption;
    update();
}

void ScanViewWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_image.isNull()) p.fillRect(rect(), palette().color(QPalette::Window));
    else p.drawImage(0, 0, m_image);
    if (!m_caption.isEmpty()) {
        p.setPen(QColor(96, 96, 96));
        p.drawText(rect().adjusted(0, 8, 0, 0), Qt::AlignHCenter | Qt::AlignTop, m_caption);
    }
}

void ScanViewWidget::mousePressEvent(QMouseEvent* e) {
    m_pressAt = e->position().toPoint();
    emit mousePressed(m_pressAt.x(), m_pressAt.y(), e->button(), e->modifiers());
}

void ScanViewWidget::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    emit mouseMoved(p.x(), p.y(), e->buttons());
}

void ScanViewWidget::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    emit mouseReleased(p.x(), p.y(), e->button());
    // A press and release in place is a click, as the panel's click event is.
    if (e->button() == Qt::LeftButton && (p - m_pressAt).manhattanLength() <= 3) emit clicked(p.x(), p.y());
}

void ScanViewWidget::wheelEvent(QWheelEvent* e) {
    m_wheelRemainder += e->angleDelta().y();
    const int steps = m_wheelRemainder / 120;
    m_wheelRemainder -= steps * 120;
    if (steps != 0) emit wheelTurned(steps);
    e->accept();
}

QCursor zoomCursor(bool zoomIn) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPoint(12, 12), 9, 9);
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(19, 19, 29, 29);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(8, 12, 16, 12);
    if (zoomIn) p.drawLine(12, 8, 12, 16);
    p.end();
    return QCursor(pm, 12, 12);
}

}  // namespace avz
