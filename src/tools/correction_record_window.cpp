// TForm11: creation of the correction data record window.
#include "tools/correction_record_window.h"

TForm11::TForm11(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form11");
    setWindowTitle("Hosie Data Record");
}
