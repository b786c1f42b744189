// The settings store on QSettings: the per-user INI file "DU_Zaziradavad". Doubles are kept as their 8 raw
// bytes, integers as numbers, so a value of the other kind does not read.
#pragma once

#include <QSettings>

#include "app/settings.h"

namespace avz {

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();

    std::optional<int> readInt(const std::string& name) const override;
    std::optional<double> readDouble(const std::string& name) const override;
    bool writeInt(const std::string& name, int value) override;
    bool writeDouble(const std::string& name, double value) override;

    void sync() { m_settings.sync(); }

private:
    mutable QSettings m_settings;
};

}  // namespace avz
