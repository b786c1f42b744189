// TForm12: the mode select window of the KVR-W61 sensor.
#pragma once

#include <QWidget>

class TForm12 : public QWidget {
    Q_OBJECT

public:
    explicit TForm12(QWidget* parent = nullptr);
};
