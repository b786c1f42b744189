// Drawing of the main window's own pictures.
#include "app/drawn_pictures.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace avz {

namespace {

constexpr int kIconSize = 20;

void arrow(QPainter& p, bool up, const QColor& c) {
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    const QPolygon head = up ? QPolygon({QPoint(10, 2), QPoint(17, 10), QPoint(3, 10)})
                             : QPolygon({QPoint(10, 18), QPoint(17, 10), QPoint(3, 10)});
    p.drawPolygon(head);
    p.drawRect(up ? QRect(7, 10, 6, 7) : QRect(7, 3, 6, 7));
}

void chip(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(2, 12, 16, 6);
}

void document(QPainter& p, const QColor& fill) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(fill);
    p.drawRect(4, 2, 12, 16);
    p.drawLine(6, 6, 14, 6);
    p.drawLine(6, 9, 14, 9);
    p.drawLine(6, 12, 12, 12);
}

// The area show/hide button's fan.
void areaFan(QPainter& p, const QColor& outline, const QColor& fill) {
    p.setPen(QPen(outline, 1));
    p.setBrush(fill);
    p.drawPolygon(QPolygon({QPoint(10, 18), QPoint(2, 4), QPoint(18, 4)}));
}

// The recorded-data button's orange trace, dy pixels lower.
void recordedTrace(QPainter& p, int dy) {
    p.setPen(QPen(QColor(250, 158, 5), 2));
    p.drawPolyline(QPolygon({QPoint(2, 16 + dy), QPoint(6, 8 + dy), QPoint(10, 12 + dy), QPoint(14, 4 + dy),
                             QPoint(18, 10 + dy)}));
}

void folder(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(2, 6, 16, 11);
    p.drawRect(2, 4, 7, 2);
}

void magnifier(QPainter& p, bool plus) {
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(3, 3, 10, 10);
    p.drawLine(12, 12, 18, 18);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(5, 8, 11, 8);
    if (plus) p.drawLine(8, 5, 8, 11);
}

}  // namespace

QIcon glyphIcon(Glyph glyph) {
    QPixmap pm(kIconSize, kIconSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
        case Glyph::AreaRead:
            chip(p);
            arrow(p, false, QColor(0, 120, 215));
            break;
        case Glyph::AreaWrite:
            chip(p);
            arrow(p, true, QColor(200, 60, 40));
            break;
        case Glyph::AreaOnOff:
            areaFan(p, Qt::black, QColor(255, 255, 113));
            break;
        case Glyph::AreaOnOffHidden:
            areaFan(p, Qt::darkGray, QColor(210, 210, 210));
            p.setPen(QPen(QColor(200, 0, 0), 2));
            p.drawLine(3, 17, 17, 3);
            break;
        case Glyph::ComClose:
            p.setPen(QPen(QColor(180, 0, 0), 2.5));
            p.drawLine(2, 10, 8, 10);
            p.drawLine(12, 10, 18, 10);
            p.drawLine(7, 5, 13, 15);
            break;
        case Glyph::SaveArea:
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(QColor(40, 80, 160));
            p.drawRect(2, 2, 16, 16);
            p.setBrush(Qt::white);
            p.drawRect(5, 3, 10, 6);
            break;
        case Glyph::OpenArea:
            folder(p);
            break;
        case Glyph::OpenData:
            folder(p);
            p.setPen(QPen(QColor(0, 0, 255), 1.5));
            p.drawPolyline(QPolygon({QPoint(4, 15), QPoint(8, 10), QPoint(12, 13), QPoint(16, 8)}));
            break;
        case Glyph::Paste:
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(QColor(170, 120, 60));
            p.drawRect(3, 3, 12, 15);
            document(p, Qt::white);
            break;
        case Glyph::Copy:
            document(p, QColor(220, 220, 220));
            p.translate(2, 2);
            document(p, Qt::white);
            break;
        case Glyph::Cut:
            p.setPen(QPen(Qt::black, 1.5));
            p.drawLine(6, 2, 13, 13);
            p.drawLine(14, 2, 7, 13);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(3, 12, 5, 5);
            p.drawEllipse(12, 12, 5, 5);
            break;
        case Glyph::Print:
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            p.drawRect(5, 2, 10, 6);
            p.setBrush(QColor(150, 150, 150));
            p.drawRect(2, 8, 16, 8);
            p.setBrush(Qt::white);
            p.drawRect(5, 13, 10, 5);
            break;
        case Glyph::ResetView:
            p.setPen(QPen(Qt::black, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawRect(3, 3, 14, 14);
            p.drawLine(10, 5, 10, 15);
            p.drawLine(5, 10, 15, 10);
            break;
        case Glyph::Reconnect:
            p.setPen(QPen(QColor(0, 140, 0), 2.5));
            p.setBrush(Qt::NoBrush);
            p.drawArc(3, 3, 14, 14, 30 * 16, 300 * 16);
            p.setBrush(QColor(0, 140, 0));
            p.setPen(Qt::NoPen);
            p.drawPolygon(QPolygon({QPoint(14, 1), QPoint(19, 6), QPoint(13, 8)}));
            break;
        case Glyph::RecordedData:
            recordedTrace(p, 0);
            break;
        case Glyph::RecordedDataShown:
            recordedTrace(p, 0);
            recordedTrace(p, 3);
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(0, 0, 19, 19);
            break;
        case Glyph::ZoomDown:
            magnifier(p, false);
            break;
        case Glyph::ZoomUp:
            magnifier(p, true);
            break;
    }
    return QIcon(pm);
}

QPixmap connectionPixmap(ConnectionPicture picture) {
    QPixmap pm(24, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = picture == ConnectionPicture::Connected      ? QColor(0, 160, 0)
                          : picture == ConnectionPicture::Disconnected ? QColor(128, 128, 128)
                                                                       : QColor(210, 0, 0);
    p.setPen(QPen(colour, 2));
    p.setBrush(colour);
    // Two plug halves: joined when connected, apart otherwise.
    const int gap = picture == ConnectionPicture::Connected ? 0 : 4;
    p.drawRect(2, 5, 8 - gap / 2, 6);
    p.drawRect(14 + gap / 2, 5, 8 - gap / 2, 6);
    p.drawLine(10 - gap / 2, 8, 14 + gap / 2, 8);
    if (picture == ConnectionPicture::Lost) {
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(8, 1, 16, 15);
        p.drawLine(16, 1, 8, 15);
    }
    return pm;
}

StatusLamp::StatusLamp(QWidget* parent) : QWidget(parent) {
    setFixedSize(10, 10);
}

void StatusLamp::setColour(const QColor& colour) {
    m_colour = colour;
    update();
}

void StatusLamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(m_colour);
    p.drawEllipse(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
}

DetectingPanel::DetectingPanel(QWidget* parent) : QFrame(parent), m_text(new QLabel(this)) {
    setObjectName("DetectingPanel");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    setFixedSize(360, 90);
    m_text->setText("DETECTING SENSOR. PLEASE WAIT....");
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setGeometry(0, 12, 360, 24);
    hide();
}

void DetectingPanel::setText(const QString& text) {
    m_text->setText(text);
}
QString DetectingPanel::text() const {
    return m_text->text();
}

void DetectingPanel::setFrame(int frame) {
    m_frame = ((frame % kFrames) + kFrames) % kFrames;
    update();
}

bool DetectingPanel::dotLit(int dot) const {
    if (m_frame == kFrames - 1) return false;
    const int last = m_frame;                         // frames 0..7 light up to dot "frame"
    const int first = m_frame < 4 ? 0 : m_frame - 3;  // at most four dots at a time
    return dot >= first && dot <= last;
}

void DetectingPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int size = 12, spacing = 24;
    const int left = (width() - (kDots - 1) * spacing - size) / 2;
    for (int i = 0; i < kDots; ++i) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(dotLit(i) ? QColor(0, 160, 0) : QColor(200, 200, 200));
        p.drawEllipse(left + i * spacing, 52, size, size);
    }
}

}  // namespace avz
