// The real program against its embedded simulated sensor, photographed offscreen: the scan fills the room in
// front of the sensor, nothing behind it, and the grid lies where the geometry puts it.
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>

#include "app/qt_settings_store.h"
#include "support/sim_process.h"

namespace avz {
namespace {

TEST(SnapshotE2E, ScanAndGridWhereTheGeometrySays) {
    {
        // A window large enough to show the sensor at (500, 500) with room around it.
        QtSettingsStore store;
        store.writeInt("Left", 0);
        store.writeInt("Top", 0);
        store.writeInt("Height", 800);
        store.writeInt("Width", 1000);
        store.writeDouble("M_RATE", 0.0);
        store.writeInt("ZOOM", 0);
        store.writeInt("Language", 0);
        store.writeDouble("MAG_X", 1.0);
        store.writeDouble("MAG_Y", 1.0);
        store.sync();
    }
    const auto shot = std::filesystem::temp_directory_path() / "snapshot.png";
    std::filesystem::remove(shot);
    const auto r = test::runProgram({test::SimProcess::binary("avuzevi"), "--simulate", "--snapshot", shot.string(),
                                     "--snapshot-after", "4000"},
                                    30000, {"QT_QPA_PLATFORM=offscreen"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    QImage img(QString::fromStdString(shot.string()));
    ASSERT_FALSE(img.isNull());
    ASSERT_GE(img.width(), 900);

    // The horizontal axis is the one black row at x 200; the vertical axis is at x 500 (Panel1 starts at the
    // window's left edge).
    int axisY = -1;
    for (int y = 0; y < img.height() && axisY < 0; ++y)
        if (img.pixel(200, y) == qRgb(0, 0, 0) && img.pixel(300, y) == qRgb(0, 0, 0)) axisY = y;
    ASSERT_GT(axisY, 0);
    EXPECT_EQ(img.pixel(500, axisY - 20), qRgb(0, 0, 0));

    const QRgb scanFill = qRgb(160, 160, 164);
    // 600 mm ahead and 100 mm right: inside the room, nearer than the walker's path.
    EXPECT_EQ(img.pixel(505, axisY - 30), scanFill);
    EXPECT_EQ(img.pixel(480, axisY - 15), scanFill);
    // Behind the sensor a 180-degree model sees nothing.
    EXPECT_EQ(img.pixel(505, axisY + 30), qRgb(255, 255, 255));
    // Beyond the side walls (3 m = 150 px) the view is empty.
    EXPECT_EQ(img.pixel(500 + 170, axisY - 30), qRgb(255, 255, 255));
    // Grid lines every metre (50 px at zoom 0): grey on white, and grey masked over the fill.
    EXPECT_EQ(img.pixel(450, axisY + 30), qRgb(128, 128, 128));
    EXPECT_EQ(img.pixel(550, axisY + 30), qRgb(128, 128, 128));
    EXPECT_EQ(img.pixel(600, axisY - 30), qRgb(128, 128, 128));
    EXPECT_EQ(img.pixel(520, axisY - 50), qRgb(128, 128, 128));
}

}  // namespace
}  // namespace avz
