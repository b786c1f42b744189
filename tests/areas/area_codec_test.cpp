// Area records as the sensor holds them: words, flag bits, characters and the sensor's point order.
#include <gtest/gtest.h>

#include "area_print.h"
#include "areas/area_transfer.h"

namespace avz {
namespace {

using Points = std::array<AreaPoint, 7>;

AreaPattern withPoints(const Points& p) {
    AreaPattern a;
    std::copy(p.begin(), p.end(), a.points.begin());
    return a;
}

TEST(AreaRecord, FifteenBitTwosComplementAndItsCharacters) {
    AreaPattern a;
    a.points[0] = {-5, 10};
    const AreaRecordWords w = encodeRecord(a);
    EXPECT_EQ(w[0], 0x7FFB);
    EXPECT_EQ(w[1], 0x000A);
    std::array<AreaRecordWords, 4> block{};
    block[0] = w;
    const std::string payload = encodeBlock(block);
    ASSERT_EQ(payload.size(), 192u);
    EXPECT_EQ(payload.substr(0, 6), "7ok00:");
    EXPECT_EQ(payload.substr(6, 3), "000");
    EXPECT_EQ(decodeBlock(payload), block);
}

TEST(AreaRecord, FlagBitsOfShapeAndHysteresis) {
    struct Case {
        std::int32_t shape, hysteresis;
        bool w3, w4, w6;
    };
    for (const Case c : {Case{2, 1, false, true, true}, Case{1, 0, true, false, false},
                         Case{3, 0, true, true, false}, Case{0, 0, false, false, false}}) {
        AreaPattern a;
        a.points[1] = {0, 1000};
        a.points[2] = {-1000, 500};
        a.PartitionShape = c.shape;
        a.HalfHysteresis = c.hysteresis;
        const AreaRecordWords w = encodeRecord(a);
        EXPECT_EQ((w[3] & 0x8000) != 0, c.w3) << c.shape;
        EXPECT_EQ((w[4] & 0x8000) != 0, c.w4) << c.shape;
        EXPECT_EQ((w[6] & 0x8000) != 0, c.w6) << c.shape;
        for (const int i : {0, 1, 2, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15})
            EXPECT_EQ(w[static_cast<std::size_t>(i)] & 0x8000, 0) << i;
        AreaPattern back;
        decodeRecord(w, 270, back);
        EXPECT_EQ(back.PartitionShape, c.shape);
        EXPECT_EQ(back.HalfHysteresis, c.hysteresis);
        EXPECT_EQ(back.points[0],
                  (AreaPoint{0, 1000}));  // sensor order: ahead, then ahead left, then the sensor
        EXPECT_EQ(back.points[1], (AreaPoint{-1000, 500}));
        EXPECT_EQ(back.points[2], AreaPoint{});
    }
}

TEST(AreaRecord, ReadDecodingRules) {
    struct Case {
        std::uint16_t word;
        int scanAngle;
        std::int32_t x, y, partition;
    };
    // The same word as x, as y and as output2.
    for (const Case c : {Case{0x7FF6, 270, -10, -10, 0}, Case{0x7FF6, 180, -10, 0, 0},
                         Case{0x4000, 270, -16384, -16384, 0}, Case{0x3FFF, 180, 16383, 16383, 16383},
                         Case{0xBFFF, 270, 16383, 16383, 16383}, Case{0x0000, 180, 0, 0, 0}}) {
        AreaRecordWords w{};
        w[0] = c.word;
        w[1] = c.word;
        w[14] = c.word;
        w[15] = 0x4000;
        AreaPattern a;
        a.points[8] = {1, 1};
        decodeRecord(w, c.scanAngle, a);
        EXPECT_EQ(a.points[0], (AreaPoint{c.x, c.y})) << std::hex << c.word << " " << c.scanAngle;
        EXPECT_EQ(a.output2, c.partition) << std::hex << c.word;
        EXPECT_EQ(a.output3, 0);
        EXPECT_EQ(a.points[8], (AreaPoint{1, 1}));
    }
}

TEST(SensorPointOrder, ByAngleWithOriginLastAndTiesDecidedByTheFourTests) {
    struct Case {
        const char* what;
        Points in, out;
    };
    const Case cases[] = {
        {"example",
         {{{0, 0}, {0, 2000}, {-1000, 0}, {1000, 0}, {0, 0}, {0, 0}, {0, 0}}},
         {{{1000, 0}, {0, 2000}, {-1000, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
        {"mixed",
         {{{-1000, -1}, {1000, -1}, {0, 0}, {0, -500}, {-1000, 0}, {0, 1000}, {1000, 0}}},
         {{{0, -500}, {1000, -1}, {1000, 0}, {0, 1000}, {-1000, 0}, {-1000, -1}, {0, 0}}}},
        {"right diagonal: farther first",
         {{{1000, 1000}, {2000, 2000}, {}, {}, {}, {}, {}}},
         {{{2000, 2000}, {1000, 1000}, {}, {}, {}, {}, {}}}},
        {"right axis: nearer first",
         {{{2000, 0}, {1000, 0}, {}, {}, {}, {}, {}}},
         {{{1000, 0}, {2000, 0}, {}, {}, {}, {}, {}}}},
        {"left axis: farther first",
         {{{-1000, 0}, {-2000, 0}, {}, {}, {}, {}, {}}},
         {{{-2000, 0}, {-1000, 0}, {}, {}, {}, {}, {}}}},
        {"left diagonal: nearer first",
         {{{-2000, 2000}, {-1000, 1000}, {}, {}, {}, {}, {}}},
         {{{-1000, 1000}, {-2000, 2000}, {}, {}, {}, {}, {}}}},
        {"behind: nearer first",
         {{{0, -2000}, {0, -1000}, {}, {}, {}, {}, {}}},
         {{{0, -1000}, {0, -2000}, {}, {}, {}, {}, {}}}},
    };
    for (const Case& c : cases) {
        const AreaPattern a = withPoints(c.in);
        EXPECT_EQ(sensorPointOrder(a), c.out) << c.what;
        EXPECT_EQ(a, withPoints(c.in)) << "the table keeps its order";
    }
}

}  // namespace
}  // namespace avz
