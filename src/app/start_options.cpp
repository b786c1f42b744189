// Command-line parsing of the main program.
#include "app/start_options.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace avz {

namespace {
std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool parseMs(const std::string& text, int& out) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 0 || v > 86400000) return false;
    out = static_cast<int>(v);
    return true;
}
}  // namespace

StartOptions parseStartOptions(const std::vector<std::string>& args) {
    StartOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string word = a;
        if (word.rfind("--", 0) == 0) word = word.substr(2);
        else if (!word.empty() && (word[0] == '-' || word[0] == '/')) word = word.substr(1);
        else {
            o.errors.push_back("unexpected argument " + a);
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (const auto eq = word.find('='); eq != std::string::npos) {
            value = word.substr(eq + 1);
            word = word.substr(0, eq);
            hasValue = true;
        }
        const std::string key = lower(word);
        auto next = [&]() -> bool {
            if (hasValue) return true;
            if (i + 1 < args.size()) {
                value = args[++i];
                return true;
            }
            o.errors.push_back(a + " needs a value");
            return false;
        };
        if (key == "develop") o.develop = true;
        else if (key == "inspect") o.inspect = true;
        else if (key == "simulate") o.simulateModel = hasValue ? value : std::string("KVR-38PT");
        else if (key == "port") {
            if (next()) o.ports.push_back(value);
        } else if (key == "snapshot") {
            if (next()) o.snapshotPath = value;
        } else if (key == "snapshot-after") {
            if (next() && !parseMs(value, o.snapshotAfterMs)) o.errors.push_back("bad --snapshot-after " + value);
        } else if (key == "quit-after") {
            if (next() && !parseMs(value, o.quitAfterMs)) o.errors.push_back("bad --quit-after " + value);
        } else {
            o.errors.push_back("unknown switch " + a);
        }
    }
    return o;
}

}  // namespace avz
