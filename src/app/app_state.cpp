// Start values of the main window's state that are computed rather than declared.
#include "app/app_state.h"

namespace avz {

void fillDistanceLabels(ViewState& view) {
    for (int i = 0; i < 100; ++i) view.distanceLabels[i] = std::to_string(i) + "m";
}

}  // namespace avz
