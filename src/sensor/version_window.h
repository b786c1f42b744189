// TForm4: the version window, showing the sensor's or the program's version record.
#pragma once

#include <QColor>
#include <QWidget>

#include "app/settings.h"
#include "sensor/version_content.h"

class QPushButton;
class QTreeWidget;

class TForm4 : public QWidget {
    Q_OBJECT

public:
    // Text colours of the tree: light grey normally, sky blue while "Auto Detect" is unchecked.
    static QColor lightGrey() { return QColor(192, 192, 192); }
    static QColor skyBlue() { return QColor(166, 202, 240); }

    explicit TForm4(QWidget* parent = nullptr);

    void FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight);
    avz::WindowSettings currentSettings() const;

    // The caption says what the tree shows; the version handler fills it only under "Sensor Version".
    bool showsSensorVersion() const;
    // The sensor's record from the version handler: the root and its six texts.
    void fill(const avz::VersionTree& tree);
    void clearTree();
    void setTreeTextColour(const QColor& colour);
    QColor treeTextColour() const { return m_textColour; }
    // The "Sensor Version" main-menu entry: this caption, the window shown.
    void showSensorVersion();
    // "Graphics Version" (main menu or Button2): this caption and the program's own version.
    void showGraphicsVersion();

    QTreeWidget* tree() const { return m_tree; }
    QPushButton* sensorVersionButton() const { return m_button1; }
    QPushButton* graphicsVersionButton() const { return m_button2; }

public slots:
    void Button1Click();
    void Button2Click();

signals:
    // The window asks for a version record: the main window sets versionRequested.
    void versionRequested();
    void captionChanged();

private:
    void setCaption(const char* caption);
    void setTree(const avz::VersionTree& tree);

    avz::WindowSettings m_settings = avz::defaultWindowSettings(avz::WindowKind::Version);
    QTreeWidget* m_tree;
    QPushButton* m_button1;
    QPushButton* m_button2;
    QColor m_textColour = lightGrey();
};
