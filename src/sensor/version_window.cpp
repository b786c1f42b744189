// TForm4: the version window's tree, its two buttons and its placement.
#include "sensor/version_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/window_settings_qt.h"

namespace {

// The picture on the left: a small chip outline.
QPixmap chipPicture() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(8, 8, 16, 16);
    for (int i = 0; i < 4; ++i) {
        p.drawLine(11 + i * 3, 3, 11 + i * 3, 8);
        p.drawLine(11 + i * 3, 24, 11 + i * 3, 29);
    }
    return pm;
}

}  // namespace

TForm4::TForm4(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      m_tree(new QTreeWidget(this)),
      m_button1(new QPushButton("Sensor Version", this)),
      m_button2(new QPushButton("Graphics Version", this)) {
    setObjectName("Form4");
    setWindowTitle("Version");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);

    m_tree->setObjectName("TreeView1");
    m_tree->setHeaderHidden(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setStyleSheet("QTreeWidget { background-color: black; }");
    QPalette treePal = m_tree->palette();
    treePal.setColor(QPalette::Base, Qt::black);
    treePal.setColor(QPalette::Text, m_textColour);
    m_tree->setPalette(treePal);
    m_button1->setObjectName("Button1");
    m_button2->setObjectName("Button2");
    connect(m_button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(m_button2, &QPushButton::clicked, this, &TForm4::Button2Click);

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(chipPicture());
    auto* hidden = new QLabel(this);
    hidden->setObjectName("Image2");
    hidden->setPixmap(chipPicture());
    hidden->hide();

    auto* left = new QVBoxLayout;
    left->addWidget(picture);
    left->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_button1);
    buttons->addWidget(m_button2);
    auto* right = new QVBoxLayout;
    right->addWidget(m_tree);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);
    resize(360, 220);
}

void TForm4::FormCreate(const avz::SettingsStore& store, int mainClientWidth, int mainClientHeight) {
    m_settings = avz::readWindowSettings(store, avz::WindowKind::Version, mainClientWidth, mainClientHeight);
    avz::applyWindowSettings(*this, m_settings);
}

avz::WindowSettings TForm4::currentSettings() const {
    avz::WindowSettings s = m_settings;
    avz::captureWindowSettings(*this, s);
    return s;
}

bool TForm4::showsSensorVersion() const {
    return windowTitle() == avz::kSensorVersionCaption;
}

void TForm4::setCaption(const char* caption) {
    const bool changed = windowTitle() != caption;
    setWindowTitle(caption);
    if (changed) emit captionChanged();
}

void TForm4::setTree(const avz::VersionTree& tree) {
    m_tree->clear();
    auto* root = new QTreeWidgetItem(m_tree, QStringList(QString::fromStdString(tree.root)));
    root->setForeground(0, m_textColour);
    for (const std::string& child : tree.children) {
        auto* item = new QTreeWidgetItem(root, QStringList(QString::fromStdString(child)));
        item->setForeground(0, m_textColour);
    }
}

void TForm4::fill(const avz::VersionTree& tree) {
    setTree(tree);
    if (isVisible()) {
        setTreeTextColour(lightGrey());
        m_tree->update();
        m_tree->expandAll();
    }
}

void TForm4::clearTree() {
    m_tree->clear();
}

void TForm4::setTreeTextColour(const QColor& colour) {
    m_textColour = colour;
    QPalette pal = m_tree->palette();
    pal.setColor(QPalette::Text, colour);
    m_tree->setPalette(pal);
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) (*it)->setForeground(0, colour);
}

void TForm4::showSensorVersion() {
    setCaption(avz::kSensorVersionCaption);
    show();
    emit versionRequested();
}

void TForm4::showGraphicsVersion() {
    setCaption(avz::kGraphicsVersionCaption);
    update();
    setTree(avz::graphicsVersionTree());
    show();
    m_tree->expandAll();
}

void TForm4::Button1Click() {
    setCaption(avz::kSensorVersionCaption);
    emit versionRequested();
}

void TForm4::Button2Click() {
    showGraphicsVersion();
}
