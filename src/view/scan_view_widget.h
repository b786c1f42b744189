// Panel1: the view port of the main window. Shows the last rendered image and hands every mouse event to the
// main window, which runs the view and editing rules.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace avz {

class ScanViewWidget : public QWidget {
    Q_OBJECT

public:
    explicit ScanViewWidget(QWidget* parent = nullptr);

    // The picture of one repaint, shown in one operation.
    void showImage(const QImage& image);
    const QImage& image() const { return m_image; }

    // "Sensor is Disconnected" while no port is open; empty otherwise.
    void setCaption(const QString& caption);
    const QString& caption() const { return m_caption; }

signals:
    void mousePressed(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void mouseMoved(int x, int y, Qt::MouseButtons buttons);
    void mouseReleased(int x, int y, Qt::MouseButton button);
    void clicked(int x, int y);
    void wheelTurned(int steps);  // positive away from the user

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage m_image;
    QString m_caption;
    QPoint m_pressAt;
    int m_wheelRemainder = 0;
};

// The zoom cursors "CRR_UP" and "CRR_DN": a magnifier with a plus or a minus.
QCursor zoomCursor(bool zoomIn);

}  // namespace avz
