// Draws one repaint of the view into an image the size of the main window.
#pragma once

#include <QImage>

#include <string>
#include <vector>

#include "view/view_scene.h"

namespace avz {

// A distance label with the top-left corner of its text.
struct GridLabel {
    std::string text;
    int x = 0;
    int y = 0;
    bool operator==(const GridLabel&) const = default;
};

// What the axes and the metre grid of a scene draw.
struct GridLayout {
    std::vector<int> ringRadii;        // circles centred on the sensor
    std::vector<int> verticalLines;    // x of the lines from y 0 to 11800
    std::vector<int> horizontalLines;  // y of the lines from x 0 to 10000
    std::vector<GridLabel> labels;     // " 0m" at the sensor first, then the grid's labels
};
GridLayout gridLayout(const ViewScene& scene);

// Draws the scene into image (resized to the scene's size when it differs). The image keeps its content where
// the scene does not fill the background.
void renderView(QImage& image, const ViewScene& scene);

}  // namespace avz
