// The pictures the main window draws itself: toolbar glyphs, the connection picture, the status lamp and the
// "detecting" panel.
#pragma once

#include <QColor>
#include <QFrame>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include "link/indicators.h"

class QLabel;

namespace avz {

enum class Glyph {
    AreaRead,
    AreaWrite,
    AreaOnOff,
    AreaOnOffHidden,  // the same button while the areas are hidden
    ComClose,
    SaveArea,
    OpenArea,
    OpenData,
    Paste,
    Copy,
    Cut,
    Print,
    ResetView,
    Reconnect,
    RecordedData,
    RecordedDataShown,  // the same button while the recorded frames are drawn
    ZoomDown,
    ZoomUp
};
QIcon glyphIcon(Glyph glyph);

QPixmap connectionPixmap(ConnectionPicture picture);

// The small round lamp in the status bar.
class StatusLamp : public QWidget {
    Q_OBJECT

public:
    explicit StatusLamp(QWidget* parent = nullptr);
    void setColour(const QColor& colour);
    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor m_colour{Qt::gray};
};

// "DETECTING SENSOR. PLEASE WAIT...." with a row of eight dots; shown over the main window while it searches.
class DetectingPanel : public QFrame {
    Q_OBJECT

public:
    static constexpr int kDots = 8;
    static constexpr int kFrames = 9;

    explicit DetectingPanel(QWidget* parent = nullptr);
    void setText(const QString& text);
    QString text() const;
    // One of the nine frames of the dot animation: 1; 1-2; 1-3; 1-4; 2-5; 3-6; 4-7; 5-8; none.
    void setFrame(int frame);
    int frame() const { return m_frame; }
    bool dotLit(int dot) const;  // 0-based

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QLabel* m_text;
    int m_frame = 0;
};

}  // namespace avz
