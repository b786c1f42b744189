// TForm1: temporary definitions of handlers whose real bodies live on other branches.
#include "app/main_window.h"

void TForm1::handleScanReply(std::string_view) {}
