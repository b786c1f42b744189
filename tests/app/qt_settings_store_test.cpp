// The settings file: numbers and raw doubles, and values of the wrong kind that do not read.
#include "app/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QSettings>

namespace avz {
namespace {

TEST(QtSettingsStore, KindsSurviveTheFile) {
    QSettings(QSettings::IniFormat, QSettings::UserScope, "DU_Zaziradavad").clear();
    {
        QtSettingsStore store;
        EXPECT_FALSE(store.readInt("Left").has_value());
        EXPECT_TRUE(store.writeInt("Left", -12));
        EXPECT_TRUE(store.writeDouble("MAG_X", 1.25));
        store.sync();
    }
    QSettings raw(QSettings::IniFormat, QSettings::UserScope, "DU_Zaziradavad");
    raw.setValue("Text", "abc");
    raw.sync();
    QtSettingsStore store;
    EXPECT_EQ(store.readInt("Left"), -12);
    EXPECT_EQ(store.readDouble("MAG_X"), 1.25);
    EXPECT_FALSE(store.readDouble("Left").has_value());
    EXPECT_FALSE(store.readInt("MAG_X").has_value());
    EXPECT_FALSE(store.readInt("Text").has_value());
    EXPECT_FALSE(store.readDouble("Text").has_value());
}

}  // namespace
}  // namespace avz
