// Draws one repaint of the view into an image the size of the main window.
#pragma once

#include <QImage>

#include "view/view_scene.h"

namespace avz {

// Draws the scene into image (resized to the scene's size when it differs). The image keeps its content where
// the scene does not fill the background.
void renderView(QImage& image, const ViewScene& scene);

}  // namespace avz
