// TForm1: construction and life cycle of the main window.
#include "app/main_window.h"

TForm1::TForm1(avz::AppServices& services, QWidget* parent) : QMainWindow(parent), m_services(services) {
    setObjectName("Form1");
    setWindowTitle("VIZ Avuzevi");
}
