// Mode words of the FRAM block.
#include "sensor/mode_words.h"

#include <algorithm>
#include <cctype>

namespace avz {

namespace {
std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string word(const std::vector<std::string>& words, std::size_t i) { return i < words.size() ? lower(words[i]) : ""; }

bool has(const std::string& s, const char* what) { return s.find(what) != std::string::npos; }
}  // namespace

ModeSelection modeWords(const std::vector<std::string>& words) {
    const std::string w60 = word(words, 60);
    const std::string w41 = word(words, 41);
    ModeSelection m;
    m.medianMode = has(w60, "800a") || has(w60, "800b") || has(w60, "800c") ? "Special" : "Normal";
    m.errorCode = words.size() > 63 ? words[63] : "";
    if (w41 == "e0a3") {
        m.range = " 90 Degree";
        m.median = has(w60, "a") ? "6 Point" : has(w60, "b") ? "7 Point" : has(w60, "c") ? "8 Point" : "6 Point";
    } else {
        m.range = "180 Degree";
    }
    return m;
}

}  // namespace avz
