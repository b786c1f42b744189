// TForm1: the main window, owner of the program's long-lived state.
#pragma once

#include <QMainWindow>

#include "app/app_services.h"

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(avz::AppServices& services, QWidget* parent = nullptr);

private:
    avz::AppServices& m_services;
};
