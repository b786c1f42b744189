// TForm10: creation of the firmware update options window.
#include "firmware/update_options_window.h"

TForm10::TForm10(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("Form10");
    setWindowTitle("Firmware Update");
}
