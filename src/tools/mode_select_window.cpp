// TForm12: creation of the mode select window.
#include "tools/mode_select_window.h"

TForm12::TForm12(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName("Form12");
    setWindowTitle("KVR-W61 Mode Select");
}
