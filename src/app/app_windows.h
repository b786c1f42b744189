// The program's windows, created in their start order: TForm1, then TForm3 to TForm12.
#pragma once

#include <memory>

#include "app/main_window.h"
#include "areas/numeric_input_window.h"
#include "firmware/update_options_window.h"
#include "record/data_record_window.h"
#include "sensor/version_window.h"
#include "tools/correction_record_window.h"
#include "tools/correction_window.h"
#include "tools/fram_editor_window.h"
#include "tools/io_check_window.h"
#include "tools/mode_select_window.h"
#include "tools/waveform_window.h"

namespace avz {

struct AppWindows {
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm4> form4;
    std::unique_ptr<TForm5> form5;
    std::unique_ptr<TForm6> form6;
    std::unique_ptr<TForm7> form7;
    std::unique_ptr<TForm8> form8;
    std::unique_ptr<TForm9> form9;
    std::unique_ptr<TForm10> form10;
    std::unique_ptr<TForm11> form11;
    std::unique_ptr<TForm12> form12;

    AppWindows() = default;
    AppWindows(AppWindows&&) = default;
    AppWindows& operator=(AppWindows&&) = default;
    // The secondary windows go before the main window that refers to them.
    ~AppWindows();
};

// Creates the windows in order: the main window and its FormCreate (settings, switches), then each secondary
// window, which reads its stored place against the main window's client size. Showing the main window and the
// detection at start (TForm1::showAndDetect) are left to the caller, once everything is wired.
AppWindows createAppWindows(AppServices& services);

}  // namespace avz
