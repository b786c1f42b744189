// The captions of both languages, the names of the area and shape lists, and the status bar's layout.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace avz {

struct CaptionEntry {
    const char* control;      // object name of the menu entry, or the label number of the I/O check window
    const char* formCaption;  // what the window shows before any language entry is clicked
    const char* english;
    const char* japanese;  // nullptr: the entry keeps its caption when Japanese is chosen
};

// The main menu's entries that follow the language.
std::span<const CaptionEntry> mainCaptionTable();
// The I/O check window's four labels, controls "1" to "4".
std::span<const CaptionEntry> ioCheckLabelTable();

// The caption an entry gets for a language; nullptr when it stays as it is.
inline const char* captionFor(const CaptionEntry& e, bool japanese) {
    return japanese ? e.japanese : e.english;
}

inline constexpr int kShapeCount = 3;
inline constexpr int kDesignAreaCount = 31;

// Names a language switch gives: "Area7" / "エリア7".
std::string areaName(int number, bool japanese);
// Names of entries the area lists are built with (design list, lists grown after a detection): "Area 7" /
// "エリア 7".
std::string spacedAreaName(int number, bool japanese);
// 0 "Straight" / "直線", 1 "Fan Shape" / "扇形", 2 "Ratio" / "割合".
std::string shapeName(int index, bool japanese);

// The index of text in items; the first entry when it is not there.
int indexOrFirst(const std::vector<std::string>& items, const std::string& text);

struct StatusLayout {
    int panelWidths[5] = {};
    int progressLeft = 0;
    int progressWidth = 0;
    int lampLeft = 0;
    int pictureLeft = 0;
};

inline constexpr int kProgressTop = 2;
inline constexpr int kPictureTop = 3;
inline constexpr int kLampTop = 6;

// Panels at 0.2, 0.2, 0.25, 0.15 and 0.2 of the window width, rounded toward zero; the progress bar over
// panel 1, the lamp and the connection picture at the start of panel 4.
StatusLayout statusLayout(int windowWidth);

}  // namespace avz
