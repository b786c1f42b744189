// The ".ara" writer and reader: layout, name rules, failures, the parser's limits and the range question.
#include "areas/area_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "area_print.h"
#include "support/scripted_dialogs.h"

namespace avz {
namespace {

namespace fs = std::filesystem;

const test::Shown kCorrupt{"AREA FILE MAY BE CURREPTED", "VIZ Avuzevi", Buttons::Ok, Icon::None};

test::Shown plain(const std::string& text) {
    return test::Shown{text, "VIZ Avuzevi", Buttons::Ok, Icon::None};
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string fixture(const std::string& name) {
    const char* src = std::getenv("AVZ_SOURCE_DIR");
    return std::string(src ? src : ".") + "/tests/areas/fixtures/" + name;
}

class TempDir {
public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = fs::temp_directory_path() /
                 (std::string("areafile_") + info->test_suite_name() + "_" + info->name());
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

// A table whose areas all differ, with points already in save order so a round trip keeps them.
AreaTable variedTable(int count) {
    AreaTable t;
    t.count = count;
    for (int i = 0; i < kAreaSlots; ++i) {
        AreaPattern& a = t.slots[static_cast<std::size_t>(i)];
        const std::int32_t s = 100 * (i + 1);
        a.points[0] = {s, -s};      // behind right: 225 degrees
        a.points[1] = {s + 7, s};   // ahead right: 135
        a.points[2] = {0, 2 * s};   // straight ahead: 0, kept in place
        a.points[3] = {-s, s};      // ahead left: 45
        a.points[4] = {-s - 3, 0};  // on the axis: 0
        a.output2 = 2 * s;
        a.output3 = s;
        a.PartitionShape = i % 3;
        a.HalfHysteresis = i % 2;
    }
    return t;
}

std::string fileOf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

// One area's value lines after the header, its tags left out (the reader does not look at them).
std::vector<std::string> valueLines(const std::string& point1, const std::string& output2 = "0") {
    std::vector<std::string> v{"[KVR AREA DATA FILE]", "", point1};
    for (int j = 1; j < 7; ++j) v.push_back("0 0");
    for (const char* rest : {output2.c_str(), "0", "0", "0", "0", "0"}) v.push_back(rest);
    return v;
}

TEST(AreaFileWriter, DialogAndNameRules) {
    TempDir dir;
    struct Case {
        const char* chosen;
        const char* written;
    };
    for (const Case c : {Case{"plan", "plan.ara"}, Case{"plan.ara.bak", "plan.ara.bak"},
                         Case{"PLAN.ARA", "PLAN.ARA.ara"}, Case{"x.ara", "x.ara"}}) {
        EXPECT_EQ(areaFileName(c.chosen), c.written);
        test::ScriptedDialogs d;
        d.nextSave(dir / c.chosen);
        bool changed = true;
        EXPECT_EQ(saveAreaFileAs(variedTable(7), changed, d), SaveAreaResult::Saved) << c.chosen;
        EXPECT_TRUE(fs::exists(dir / c.written)) << c.written;
        EXPECT_FALSE(changed);
        EXPECT_TRUE(d.shown.empty());
        ASSERT_EQ(d.fileDialogs.size(), 1u);
        EXPECT_EQ(d.fileDialogs[0].initialName, "untitled");
        EXPECT_EQ(d.fileDialogs[0].filter, "Area File (*.ara)|*.ara");
        EXPECT_EQ(d.fileDialogs[0].defaultExt, "");
    }
    const FileDialogSpec open = areaOpenDialogSpec();
    EXPECT_EQ(open.defaultExt, "ara");
    EXPECT_EQ(open.filter, "Area file(*.ara)|*.ara");

    test::ScriptedDialogs d;
    bool changed = true;
    EXPECT_EQ(saveAreaFileAs(variedTable(7), changed, d), SaveAreaResult::Cancelled);
    EXPECT_TRUE(changed);
}

TEST(AreaFileWriter, NeverOverwritesAndTellsOtherCreationFailuresApart) {
    TempDir dir;
    { std::ofstream(dir / "old.ara") << "keep me"; }
    test::ScriptedDialogs d;
    bool changed = true;
    EXPECT_EQ(writeAreaFile(dir / "old.ara", variedTable(31), changed, d), SaveAreaResult::CreateFailed);
    EXPECT_EQ(readFile(dir / "old.ara"), "keep me");
    EXPECT_TRUE(changed);
    EXPECT_EQ(writeAreaFile(dir / "no/such/folder/x", variedTable(31), changed, d),
              SaveAreaResult::CreateFailed);
    ASSERT_EQ(d.shown.size(), 2u);
    EXPECT_EQ(d.shown[0], plain("File Already Exist \n\n Could not save Area file"));
    EXPECT_EQ(d.shown[1], plain("Could not save Area file\n\nNo such file or directory"));
    EXPECT_TRUE(changed);
}

TEST(AreaFileWriter, ThirtyOneAreasMake901LinesEndingInTwoLineEnds) {
    TempDir dir;
    const AreaTable t = variedTable(31);
    test::ScriptedDialogs d;
    bool changed = true;
    ASSERT_EQ(writeAreaFile(dir / "all", t, changed, d), SaveAreaResult::Saved);
    const std::string text = readFile(dir / "all.ara");
    std::size_t lines = 0;
    for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2)) ++lines;
    EXPECT_EQ(lines, 901u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 901);  // every LF belongs to a CR LF
    EXPECT_EQ(text.rfind("[HalfHysteresis]\r\n0\r\n\r\n"), text.size() - 23);
    EXPECT_EQ(text.substr(0, 44), "[KVR AREA DATA FILE]\r\n\r\n[Area1]\r\n[OutPut1]\r\n");
    EXPECT_NE(text.find("[Area31]\r\n"), std::string::npos);
    EXPECT_EQ(text.find("[Area32]"), std::string::npos);
    EXPECT_EQ(text.find("\r\n\r\n\r\n"), std::string::npos);
    EXPECT_EQ(areaFileLines(t.slots[0], 1), fileOf({"[Area1]",
                                                    "[OutPut1]",
                                                    "[Point1]",
                                                    "100 -100",
                                                    "[Point2]",
                                                    "107 100",
                                                    "[Point3]",
                                                    "0 200",
                                                    "[Point4]",
                                                    "-100 100",
                                                    "[Point5]",
                                                    "-103 0",
                                                    "[Point6]",
                                                    "0 0",
                                                    "[Point7]",
                                                    "0 0",
                                                    "[OutPut2]",
                                                    "200",
                                                    "[OutPut3]",
                                                    "100",
                                                    "[PartitionShape]",
                                                    "0",
                                                    "[2ScanMode]",
                                                    "0",
                                                    "[MirrorReflectionMode]",
                                                    "0",
                                                    "[HalfHysteresis]",
                                                    "0",
                                                    ""}));
    EXPECT_FALSE(changed);
}

TEST(AreaFileWriter, ZeroAreaModelWritesAnEmptyFile) {
    TempDir dir;
    test::ScriptedDialogs d;
    bool changed = true;
    EXPECT_EQ(writeAreaFile(dir / "none", variedTable(0), changed, d), SaveAreaResult::Saved);
    EXPECT_TRUE(fs::exists(dir / "none.ara"));
    EXPECT_EQ(fs::file_size(dir / "none.ara"), 0u);
    EXPECT_FALSE(changed);
}

TEST(AreaFileWriter, SaveOrderExchangesByWholeDegreeAndLeavesMemoryAlone) {
    AreaPattern a;
    a.points[0] = {-1000, 1000};
    a.points[1] = {1000, 1000};
    a.points[2] = {0, 2000};
    const AreaPattern before = a;
    const auto order = fileSaveOrder(a);
    const std::array<AreaPoint, 7> want{{{1000, 1000}, {-1000, 1000}, {0, 2000}, {}, {}, {}, {}}};
    EXPECT_EQ(order, want);
    EXPECT_EQ(a, before);

    // Within one whole degree nothing moves: 45.0 and 45.9 degrees keep their order.
    AreaPattern b;
    b.points[0] = {-1000, 1000};
    b.points[1] = {-1000, 1032};
    b.points[2] = {1000, 0};  // on the axis: 0, keeps its place
    b.points[3] = {1000, -1000};
    const auto o = fileSaveOrder(b);
    const std::array<AreaPoint, 7> wantB{
        {{1000, -1000}, {-1000, 1032}, {1000, 0}, {-1000, 1000}, {}, {}, {}}};
    EXPECT_EQ(o, wantB);
}

// Writes fail from the nth call on; what was created and removed is kept.
class FailingFiles : public AreaFileAccess {
public:
    explicit FailingFiles(int failAt) : m_failAt(failAt) {}

    class File : public NewFile {
    public:
        explicit File(FailingFiles& owner) : m_owner(owner) {}
        bool write(std::string_view bytes) override {
            if (++m_owner.writes >= m_owner.m_failAt) return false;
            m_owner.contents.append(bytes);
            return true;
        }

    private:
        FailingFiles& m_owner;
    };

    Created createNew(const std::string& path) override {
        created = path;
        Created c;
        c.file = std::make_unique<File>(*this);
        return c;
    }
    void remove(const std::string& path) override { removed = path; }
    Contents readAll(const std::string&) override { return Contents{failure, contents}; }

    int writes = 0;
    std::string created, removed, contents;
    ReadFailure failure = ReadFailure::None;

private:
    int m_failAt;
};

TEST(AreaFileWriter, OneWriteAnAreaAndAFailedWriteLeavesNoPartialFile) {
    FailingFiles ok(1000);
    test::ScriptedDialogs d;
    bool changed = true;
    ASSERT_EQ(writeAreaFile("x", variedTable(15), changed, d, ok), SaveAreaResult::Saved);
    EXPECT_EQ(ok.writes, 15);
    EXPECT_EQ(ok.contents.substr(0, 24), areaFileHeader());

    FailingFiles broken(3);
    EXPECT_EQ(writeAreaFile("x", variedTable(15), changed = true, d, broken), SaveAreaResult::WriteFailed);
    EXPECT_EQ(broken.created, "x.ara");
    EXPECT_EQ(broken.removed, "x.ara");
    EXPECT_TRUE(changed);
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(d.shown[0], plain("Could not save Area file"));
}

TEST(AreaFileReader, RoundTripRestoresTheTable) {
    TempDir dir;
    const AreaTable saved = variedTable(31);
    test::ScriptedDialogs d;
    bool changed = true;
    ASSERT_EQ(writeAreaFile(dir / "trip", saved, changed, d), SaveAreaResult::Saved);
    AreaTable loaded;
    EXPECT_EQ(loadAreaFile(dir / "trip.ara", loaded, 10000, d), OpenAreaResult::Loaded);
    for (std::size_t i = 0; i < 31; ++i) EXPECT_EQ(loaded.slots[i], saved.slots[i]) << i;
    EXPECT_EQ(loaded.slots[31], AreaPattern{});
    EXPECT_TRUE(d.shown.empty());
}

TEST(AreaFileReader, TheFourFileMessages) {
    TempDir dir;
    using F = AreaFileAccess::ReadFailure;
    struct Case {
        F failure;
        const char* text;
    };
    for (const Case c :
         {Case{F::Open, "Could not open the file"}, Case{F::Size, "Invalid file size"},
          Case{F::Memory, "Memory Allocation Failure"}, Case{F::Read, "Could not read the file"}}) {
        FailingFiles files(1000);
        files.failure = c.failure;
        test::ScriptedDialogs d;
        AreaTable t;
        EXPECT_EQ(loadAreaFile("x.ara", t, 10000, d, files), OpenAreaResult::NotRead);
        ASSERT_EQ(d.shown.size(), 1u);
        EXPECT_EQ(d.shown[0], plain(c.text));
    }
    // The same from the file system: a missing file, a folder, and a pipe, which is refused rather than waited on.
    test::ScriptedDialogs d;
    AreaTable t;
    const std::string pipe = (dir / "pipe.ara");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(loadAreaFile(dir / "missing.ara", t, 10000, d), OpenAreaResult::NotRead);
    EXPECT_EQ(loadAreaFile(dir.path().string(), t, 10000, d), OpenAreaResult::NotRead);
    EXPECT_EQ(loadAreaFile(pipe, t, 10000, d), OpenAreaResult::NotRead);
    EXPECT_EQ(d.shown, std::vector<test::Shown>(3, plain("Could not open the file")));
}

TEST(AreaFileReader, FieldParsing) {
    struct Case {
        const char* line;
        AreaPoint want;
    };
    for (const Case c :
         {Case{" 5", {0, 5}}, Case{"12-3 4", {-123, 4}}, Case{"-1200 3400", {-1200, 3400}}, Case{"7", {7, 0}},
          Case{"", {0, 0}}, Case{"1 2 3", {1, 23}}, Case{"--5 0-", {-5, 0}}, Case{"0007  -0", {7, 0}}}) {
        AreaTable t;
        t.slots[0].points[0] = {99, 99};
        test::ScriptedDialogs d;
        const auto end = parseAreaFile(fileOf(valueLines(c.line)), t, 10000, d);
        if (std::string(c.line).empty()) {
            // An empty line is skipped: the next value line becomes point 1.
            EXPECT_EQ(end, AreaFileEnd::Complete);
            continue;
        }
        EXPECT_EQ(end, AreaFileEnd::Complete) << c.line;
        EXPECT_EQ(t.slots[0].points[0], c.want) << c.line;
        EXPECT_TRUE(d.shown.empty()) << c.line;
    }
}

TEST(AreaFileReader, StoresByValueIndexAndSkipsTagsAndEmptyLines) {
    const std::string text =
        fileOf({"[KVR AREA DATA FILE]", "", "[Area1]", "1 2", "3 4", "5 6", "7 8", "9 10", "11 12", "13 14",
                "2000 99", "1000", "2", "1", "1", "1", "", "[whatever]", "-1 -2"});
    AreaTable t;
    test::ScriptedDialogs d;
    ASSERT_EQ(parseAreaFile(text, t, 10000, d), AreaFileEnd::Complete);
    const AreaPattern& a = t.slots[0];
    EXPECT_EQ(a.points[6], (AreaPoint{13, 14}));
    EXPECT_EQ(a.output2, 2000);
    EXPECT_EQ(a.output3, 1000);
    EXPECT_EQ(a.PartitionShape, 2);
    EXPECT_EQ(a.HalfHysteresis, 1);
    EXPECT_EQ(t.slots[1].points[0], (AreaPoint{-1, -2}));
    EXPECT_EQ(t.slots[1].points[1], AreaPoint{});
}

TEST(AreaFileReader, CorruptLinesStopTheReadingWithTheirMessage) {
    struct Case {
        const char* what;
        std::string point1;
    };
    const std::string longest = "100 " + std::string(96, '0');  // exactly 100 characters: accepted
    for (const Case& c :
         {Case{"plus", "+5 0"}, Case{"tab", "5\t0"}, Case{"letter", "5 0x"},
          Case{"101 characters", longest + "0"}, Case{"beyond 32 bits", "0 2147483648"},
          Case{"below 32 bits", "-2147483649 0"}, Case{"many digits", "0 " + std::string(40, '9')}}) {
        AreaTable t;
        t.slots[0].output2 = 77;
        test::ScriptedDialogs d;
        EXPECT_EQ(parseAreaFile(fileOf(valueLines(c.point1, "1500")), t, 10000, d), AreaFileEnd::Corrupt)
            << c.what;
        ASSERT_EQ(d.shown.size(), 1u) << c.what;
        EXPECT_EQ(d.shown[0], kCorrupt);
        EXPECT_EQ(t.slots[0].output2, 77) << "nothing after the bad line is stored: " << c.what;
    }
    AreaTable t;
    test::ScriptedDialogs d;
    EXPECT_EQ(parseAreaFile(fileOf(valueLines(longest)), t, 10000, d), AreaFileEnd::Complete);
    EXPECT_EQ(t.slots[0].points[0], (AreaPoint{100, 0}));
    // 32-bit limits themselves fit; output2 is not range checked.
    EXPECT_EQ(parseAreaFile(fileOf(valueLines("0 0", "-2147483648")), t, 10000, d), AreaFileEnd::Complete);
    EXPECT_EQ(t.slots[0].output2, -2147483648LL);
    EXPECT_TRUE(d.shown.empty());
}

TEST(AreaFileReader, CorruptFixtures) {
    struct Case {
        const char* file;
        AreaFileEnd end;
    };
    for (const Case c :
         {Case{"long_line.ara", AreaFileEnd::Corrupt}, Case{"overflow.ara", AreaFileEnd::Corrupt}}) {
        test::ScriptedDialogs d;
        AreaTable t;
        EXPECT_EQ(loadAreaFile(fixture(c.file), t, 10000, d), OpenAreaResult::Corrupt) << c.file;
        EXPECT_EQ(d.shown, std::vector<test::Shown>{kCorrupt}) << c.file;
    }
}

TEST(AreaFileReader, MoreValueLinesThanFortyAreasHoldIsCorrupt) {
    AreaTable forty = variedTable(40);
    std::string text = areaFileHeader();
    for (int k = 0; k < 40; ++k) text += areaFileLines(forty.slots[static_cast<std::size_t>(k)], k + 1);
    AreaTable t;
    test::ScriptedDialogs d;
    EXPECT_EQ(parseAreaFile(text, t, 10000, d), AreaFileEnd::Complete);
    EXPECT_EQ(t.slots[39], forty.slots[39]);
    EXPECT_TRUE(d.shown.empty());
    EXPECT_EQ(parseAreaFile(text + "[Area41]\r\n1 1\r\n", t, 10000, d), AreaFileEnd::Corrupt);
    EXPECT_EQ(d.shown, std::vector<test::Shown>{kCorrupt});
}

TEST(AreaFileReader, LineEnds) {
    // The fixture's last line, area 1's HalfHysteresis, has no CR LF: it is read and the data ends there.
    test::ScriptedDialogs d;
    AreaTable t;
    EXPECT_EQ(loadAreaFile(fixture("no_final_crlf.ara"), t, 10000, d), OpenAreaResult::Loaded);
    EXPECT_EQ(t.slots[0].points[1], (AreaPoint{1000, 2000}));
    EXPECT_EQ(t.slots[0].output2, 1500);
    EXPECT_EQ(t.slots[0].PartitionShape, 1);
    EXPECT_EQ(t.slots[0].HalfHysteresis, 1);
    EXPECT_TRUE(d.shown.empty());

    // A CR without its LF ends parsing there, silently; what came before stays.
    AreaTable u;
    EXPECT_EQ(parseAreaFile("[KVR AREA DATA FILE]\r\n\r\n5 6\r\n7 8\r9 9\r\n", u, 10000, d),
              AreaFileEnd::Stopped);
    EXPECT_EQ(u.slots[0].points[0], (AreaPoint{5, 6}));
    EXPECT_EQ(u.slots[0].points[1], AreaPoint{});
    // A trailing CR alone ends the data after its line.
    EXPECT_EQ(parseAreaFile("1 2\r\n3 4\r", u, 10000, d), AreaFileEnd::Complete);
    EXPECT_EQ(u.slots[0].points[1], (AreaPoint{3, 4}));
    EXPECT_EQ(parseAreaFile("", u, 10000, d), AreaFileEnd::Complete);
    EXPECT_TRUE(d.shown.empty());
}

TEST(AreaFileReader, RangeQuestionCorrectsOrClears) {
    struct Case {
        const char* point1;
        Answer answer;
        const char* text;
        AreaFileEnd end;
        AreaPoint stored;
    };
    const char* q = " EXCEEDS MAXIMUM RANGE\n\n Do you Want to AutoCorrect?";
    for (const Case& c :
         {Case{"12000 5", Answer::Yes, "AREA 2 ,POINT 1 x = 12000", AreaFileEnd::Complete, {10000, 5}},
          Case{"-12000 5", Answer::Yes, "AREA 2 ,POINT 1 x = -12000", AreaFileEnd::Complete, {-10000, 5}},
          Case{"5 -10001", Answer::Yes, "AREA 2 ,POINT 1 y = -10001", AreaFileEnd::Complete, {5, -10000}},
          Case{"12000 5", Answer::No, "AREA 2 ,POINT 1 x = 12000", AreaFileEnd::Refused, {0, 0}}}) {
        std::vector<std::string> lines = valueLines("1 1");
        const auto second = valueLines(c.point1);
        lines.insert(lines.end(), second.begin() + 2, second.end());
        AreaTable t;
        t.slots[20].output2 = 3;
        t.slots[31].output2 = 4;
        test::ScriptedDialogs d;
        d.answer(c.answer);
        EXPECT_EQ(parseAreaFile(fileOf(lines), t, 10000, d), c.end) << c.point1;
        ASSERT_EQ(d.shown.size(), 1u);
        EXPECT_EQ(d.shown[0],
                  (test::Shown{std::string(c.text) + q, "CONFIRMATION !!", Buttons::YesNo, Icon::Question}));
        EXPECT_EQ(t.slots[1].points[0], c.stored);
        if (c.end == AreaFileEnd::Refused) {
            EXPECT_EQ(t.slots[0], AreaPattern{});
            EXPECT_EQ(t.slots[20], AreaPattern{});
            EXPECT_EQ(t.slots[31].output2, 4);
        } else {
            EXPECT_EQ(t.slots[0].points[0], (AreaPoint{1, 1}));
            EXPECT_EQ(t.slots[20].output2, 3);
        }
    }
    // Both coordinates out of range: x is asked first, then y.
    AreaTable t;
    test::ScriptedDialogs d;
    d.answer(Answer::Yes);
    d.answer(Answer::Yes);
    EXPECT_EQ(parseAreaFile(fileOf(valueLines("6000 -6000")), t, 5500, d), AreaFileEnd::Complete);
    ASSERT_EQ(d.shown.size(), 2u);
    EXPECT_EQ(d.shown[1].text, std::string("AREA 1 ,POINT 1 y = -6000") + q);
    EXPECT_EQ(t.slots[0].points[0], (AreaPoint{5500, -5500}));
}

TEST(AreaFileReader, ThirtyOneAreaFileUnderAFifteenAreaModelFillsTheSlotsBeyond) {
    TempDir dir;
    const AreaTable saved = variedTable(31);
    test::ScriptedDialogs d;
    bool changed = false;
    ASSERT_EQ(writeAreaFile(dir / "big", saved, changed, d), SaveAreaResult::Saved);
    AreaTable t;
    t.count = 15;
    EXPECT_EQ(loadAreaFile(dir / "big.ara", t, 10000, d), OpenAreaResult::Loaded);
    for (std::size_t i = 15; i < 31; ++i) EXPECT_EQ(t.slots[i], saved.slots[i]) << i;
}

TEST(OpenAreaFile, SavePromptYesSavesAndOpensNothing) {
    TempDir dir;
    AreaTable t = variedTable(7);
    bool changed = true;
    test::ScriptedDialogs d;
    d.answer(Answer::Yes);
    d.nextSave(dir / "first");
    d.nextOpen(dir / "first.ara");
    EXPECT_EQ(openAreaFile(t, changed, 10000, false, d), OpenAreaResult::SavedInstead);
    EXPECT_FALSE(changed);
    EXPECT_TRUE(fs::exists(dir / "first.ara"));
    ASSERT_EQ(d.fileDialogs.size(), 1u);
    EXPECT_EQ(d.fileDialogs[0].initialName, "untitled");

    // No: the areas are not saved, the open dialog follows, and the file is read.
    AreaTable other;
    changed = true;
    test::ScriptedDialogs d2;
    d2.answer(Answer::No);
    d2.nextOpen(dir / "first.ara");
    EXPECT_EQ(openAreaFile(other, changed, 10000, true, d2), OpenAreaResult::Loaded);
    EXPECT_FALSE(changed);
    ASSERT_EQ(d2.shown.size(), 1u);
    EXPECT_EQ(d2.shown[0].text, "Do you want to save the current area?\n\n変更されたエリアを保存しますか？");
    ASSERT_EQ(d2.fileDialogs.size(), 1u);
    EXPECT_EQ(d2.fileDialogs[0].defaultExt, "ara");
    EXPECT_EQ(other.slots[6], t.slots[6]);

    // Unchanged areas: no prompt; a cancelled open dialog reads nothing.
    test::ScriptedDialogs d3;
    EXPECT_EQ(openAreaFile(other, changed, 10000, false, d3), OpenAreaResult::Cancelled);
    EXPECT_TRUE(d3.shown.empty());
}

}  // namespace
}  // namespace avz
