// TForm11: the correction data record window, which collects measurements over time.
#pragma once

#include <QWidget>

class TForm11 : public QWidget {
    Q_OBJECT

public:
    explicit TForm11(QWidget* parent = nullptr);
};
