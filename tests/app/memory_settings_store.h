// A settings store in memory, with the same kinds of value as the real one: a read of the other kind fails.
#pragma once

#include <map>
#include <string>
#include <variant>

#include "app/settings.h"

namespace avz::test {

class MemorySettingsStore : public SettingsStore {
public:
    std::optional<int> readInt(const std::string& name) const override {
        const auto it = values.find(name);
        if (it == values.end() || !std::holds_alternative<int>(it->second)) return std::nullopt;
        return std::get<int>(it->second);
    }
    std::optional<double> readDouble(const std::string& name) const override {
        const auto it = values.find(name);
        if (it == values.end() || !std::holds_alternative<double>(it->second)) return std::nullopt;
        return std::get<double>(it->second);
    }
    bool writeInt(const std::string& name, int value) override {
        values[name] = value;
        return true;
    }
    bool writeDouble(const std::string& name, double value) override {
        values[name] = value;
        return true;
    }

    // A complete set of main-window values.
    void storeMain(int left, int top, int height, int width, int language) {
        writeInt("Left", left);
        writeInt("Top", top);
        writeInt("Height", height);
        writeInt("Width", width);
        writeDouble("M_RATE", 0.5);
        writeInt("ZOOM", 3);
        writeInt("Language", language);
        writeDouble("MAG_X", 2.0);
        writeDouble("MAG_Y", 2.5);
    }

    std::map<std::string, std::variant<int, double>> values;
};

}  // namespace avz::test
