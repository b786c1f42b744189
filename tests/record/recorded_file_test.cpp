// The recorded-data reader: layouts, separators, line ends, limits and the file messages.
#include <gtest/gtest.h>

#include "record/recorded_file.h"
#include "record_fakes.h"

namespace avz::test {
namespace {

// Identification as the main window does it for these files: the two accepted models of a header line.
std::string identifyHeader(const std::string& text) {
    if (text.find("KVR-38PT-62") != std::string::npos || text.find("KVR-38PTD-62") != std::string::npos)
        return "INCOMPATIBLE";
    if (text.find("KVR-38PT") != std::string::npos) return "KVR-38PT";
    if (text.find("LDM-PT") != std::string::npos) return "LDM-PT";
    return "INCOMPATIBLE";
}

// A file as the writers make it; distance of frame f at step s = f * 1000 + s.
std::string recordedText(bool header, int steps, int frames) {
    std::string t;
    if (header) t += "[KVR-38PT 180[deg] DISTANCE DATA]\r\n 2012/11/21 \r\n";
    t += "\t";
    for (int f = 1; f <= frames; ++f) t += std::to_string(f) + "\t";
    t += "\r\n";
    for (int s = 1; s <= steps; ++s) {
        t += std::to_string(s) + "\t";
        for (int f = 0; f < frames; ++f) t += std::to_string(f * 1000 + s - 1) + "\t";
        t += "\r\n";
    }
    t += std::string(static_cast<std::size_t>(frames + 1), '\t') + "\r\n";
    t += " Time\t";
    for (int f = 0; f < frames; ++f) t += "13:45:07\t";
    t += "\r\n";
    return t;
}

TEST(RecordedFile, WithHeaderFileOfTenScans) {
    PlaybackBuffer buffer;
    const RecordedData d = parseRecordedData(recordedText(true, 513, 10), buffer, identifyHeader);
    EXPECT_EQ(d.end, ParseEnd::Done);
    EXPECT_EQ(d.model, "KVR-38PT");
    EXPECT_EQ(d.frameCount, 10);
    EXPECT_EQ(buffer.frameCount(), 10);
    EXPECT_EQ(d.stepRows, 513);
    EXPECT_EQ(buffer.distance(0, 0), 0);
    EXPECT_EQ(buffer.distance(9, 512), 9512);
    EXPECT_EQ(readNotice(d), "");
}

TEST(RecordedFile, PlainBlockFileKeepsTheModel) {
    PlaybackBuffer buffer;
    int identified = 0;
    const RecordedData d = parseRecordedData(recordedText(false, 769, 250), buffer, [&](const std::string&) {
        ++identified;
        return std::string("KVR-38PT");
    });
    EXPECT_EQ(d.end, ParseEnd::Done);
    EXPECT_EQ(d.frameCount, 250);
    EXPECT_EQ(identified, 0);
    EXPECT_FALSE(d.headerSeen);
    EXPECT_EQ(buffer.distance(249, 768), 249768);
}

TEST(RecordedFile, SeparatorsAndEmptyFields) {
    PlaybackBuffer buffer;
    // Two TABs in a row leave no hole; commas separate as TABs do; a last line without CR LF is read.
    const RecordedData d =
        parseRecordedData("1\t10\t\t30\t\r\n2,11,,31,41\r\n3\t12", buffer, identifyHeader);
    EXPECT_EQ(d.end, ParseEnd::Done);
    EXPECT_EQ(d.frameCount, 3);
    EXPECT_EQ(buffer.distance(0, 0), 10);
    EXPECT_EQ(buffer.distance(1, 0), 30);
    EXPECT_EQ(buffer.distance(2, 1), 41);
    EXPECT_EQ(buffer.distance(0, 2), 12);
}

TEST(RecordedFile, StepsTheFileLeavesOutReadZeroNotTheFileBefore) {
    PlaybackBuffer buffer;
    parseRecordedData(recordedText(false, 3, 3), buffer, identifyHeader);
    ASSERT_EQ(buffer.distance(1, 1), 1001);
    // Two frames; the second row has no distance for frame 2, and there is no third row.
    const RecordedData d = parseRecordedData("1\t7\t8\t\r\n2\t9\t\r\n", buffer, identifyHeader);
    EXPECT_EQ(d.frameCount, 2);
    EXPECT_EQ(buffer.distance(1, 0), 8);
    EXPECT_EQ(buffer.distance(1, 1), 0);
    EXPECT_EQ(buffer.distance(0, 2), 0);
    EXPECT_EQ(buffer.distance(2, 0), 2000) << "frames beyond the count are left alone";
}

TEST(RecordedFile, IncompatibleFiles) {
    struct Case {
        const char* what;
        std::string text;
        int frames;  // counted before the stop
    };
    const Case cases[] = {
        {"rejected model", "[KVR-17HC 180[deg] DISTANCE DATA]\r\n1\t5\t\r\n", 0},
        {"LF only", "\t1\t\n1\t5\t\n", 0},
        {"CR without LF", "1\t5\t6\t\r\n2\t7\t\r3\t\r\n", 2},
        {"CR at the end", "1\t5\t\r", 0},
        {"identification off", "[KVR-38PT 180[deg] DISTANCE DATA]\r\n", 0},
    };
    for (const auto& c : cases) {
        PlaybackBuffer buffer;
        const bool off = std::string(c.what) == "identification off";
        const RecordedData d = parseRecordedData(c.text, buffer, off ? IdentifyHeader([](const std::string&) {
            return std::string();
        }) : IdentifyHeader(identifyHeader));
        EXPECT_EQ(d.end, ParseEnd::Incompatible) << c.what;
        EXPECT_EQ(buffer.frameCount(), c.frames) << c.what;
    }
    EXPECT_EQ(incompatibleFileText(false), "Incompatible file.\n\n");
    EXPECT_EQ(incompatibleFileText(true), "Incompatible file.\n\nデータファイルは異なります。");
}

TEST(RecordedFile, LineLimitEndsTheReadingAndSaysSo) {
    std::string ok = "1\t" + std::string(kMaxLineChars - 3, '7') + "\t";
    ASSERT_EQ(ok.size(), static_cast<std::size_t>(kMaxLineChars));
    PlaybackBuffer buffer;
    EXPECT_EQ(parseRecordedData(ok + "\r\n", buffer, identifyHeader).end, ParseEnd::Done);
    const RecordedData d = parseRecordedData("1\t5\t\r\n" + ok + "7\r\n3\t9\t9\t\r\n", buffer, identifyHeader);
    EXPECT_EQ(d.end, ParseEnd::LineTooLong);
    EXPECT_EQ(d.frameCount, 1);
    EXPECT_EQ(d.stepRows, 1);
    EXPECT_EQ(readNotice(d), "Reading stopped at line 2: longer than 10000 characters");
}

TEST(RecordedFile, StepRowsBeyondTheBufferAreCutAndReported) {
    PlaybackBuffer buffer;
    std::string t;
    for (int s = 1; s <= 1005; ++s) t += std::to_string(s) + "\t" + std::to_string(s) + "\t\r\n";
    const RecordedData d = parseRecordedData(t, buffer, identifyHeader);
    EXPECT_EQ(d.end, ParseEnd::Done);
    EXPECT_TRUE(d.stepsCut);
    EXPECT_EQ(d.stepRows, 1005);
    EXPECT_EQ(buffer.distance(0, 999), 1000);
    EXPECT_EQ(buffer.distance(1, 0), 0);  // nothing spilled into the next frame
    EXPECT_EQ(readNotice(d), "only the first 1000 steps were read");
}

TEST(RecordedFile, FieldsThatAreNotNumbersAreCounted) {
    PlaybackBuffer buffer;
    const RecordedData d = parseRecordedData("1\t12x\t-4\t99999999999\t\r\n", buffer, identifyHeader);
    EXPECT_EQ(d.frameCount, 3);
    EXPECT_EQ(d.badFields, 2);
    EXPECT_EQ(buffer.distance(0, 0), 12);
    EXPECT_EQ(buffer.distance(1, 0), 0);
    EXPECT_EQ(buffer.distance(2, 0), 2147483647);
}

TEST(RecordedFile, WholeFileReadMessages) {
    TempDir dir;
    std::string message;
    EXPECT_FALSE(readWholeFile(dir.file("missing.xls"), message));
    EXPECT_EQ(message, "Could not open the file");
    EXPECT_FALSE(readWholeFile(dir.folder(), message));
    EXPECT_EQ(message, "Could not open the file");
    writeFile(dir.file("empty.xls"), "");
    EXPECT_FALSE(readWholeFile(dir.file("empty.xls"), message));
    EXPECT_EQ(message, "Invalid file size");
    writeFile(dir.file("one.xls"), "1\t2\t\r\n");
    const auto text = readWholeFile(dir.file("one.xls"), message);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "1\t2\t\r\n");
}

TEST(PlaybackBufferTest, RefusesEverythingOutside) {
    PlaybackBuffer buffer;
    ASSERT_TRUE(buffer.allocated());
    buffer.setDistance(PlaybackBuffer::kFrames, 0, 5);
    buffer.setDistance(0, PlaybackBuffer::kSteps, 5);
    buffer.setDistance(-1, 0, 5);
    EXPECT_EQ(buffer.distance(PlaybackBuffer::kFrames, 0), 0);
    EXPECT_EQ(buffer.distance(1, 0), 0);  // a step past the row did not land in the next frame
    buffer.setFrameCount(20000);
    EXPECT_EQ(buffer.frameCount(), PlaybackBuffer::kFrames);
}

}  // namespace
}  // namespace avz::test
