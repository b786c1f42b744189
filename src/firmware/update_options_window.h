// TForm10: the firmware update options window, which chooses the flash sectors an update writes.
#pragma once

#include <QWidget>

class TForm10 : public QWidget {
    Q_OBJECT

public:
    explicit TForm10(QWidget* parent = nullptr);
};
