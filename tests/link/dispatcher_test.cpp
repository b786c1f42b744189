// Routing of replies to their handlers, and the "Buffer" debug echo.
#include <gtest/gtest.h>

#include "link/dispatcher.h"

namespace avz {
namespace {

class RecordingTarget : public DispatchTarget {
public:
    bool bufferEchoChecked() const override { return echo; }
    bool hoseiChecked() const override { return hosei; }
    bool ioCheckChecked() const override { return ioCheck; }
    void clearDebugMemo() override {
        memo.clear();
        ++memoClears;
    }
    void appendDebugMemo(const std::string& text) override { memo += text; }
    void showDebugLength(int length) override { debugLength = length; }
    void showDebugCommand(std::string_view c) override { debugCommand = c; }
    void setFramWriteButtonEnabled(bool e) override { calls.push_back(e ? "framWrite on" : "framWrite off"); }
    void setFramReadButtonEnabled(bool e) override { calls.push_back(e ? "framRead on" : "framRead off"); }
    void enableSensorVersionButton() override { calls.push_back("sensorVersion on"); }
    void setAreaComboBoxesEnabled(bool e) override { calls.push_back(e ? "areaCombos on" : "areaCombos off"); }
    std::string hoseiIntervalCaption() const override { return interval; }
    bool hoseiRepeatChecked() const override { return repeat; }
    void setHoseiRepeatTimer(int ms, bool enabled) override {
        calls.push_back("repeat " + std::to_string(ms) + (enabled ? " on" : " off"));
    }
    void versionReply(std::string_view t) override { handled("version", t); }
    void correctionReply(std::string_view t) override { handled("correction", t); }
    void framReply(std::string_view t) override { handled("fram", t); }
    void inspectionReply(std::string_view t) override { handled("inspection", t); }
    void ioReply(std::string_view t) override { handled("io", t); }
    void scanReply(std::string_view t) override { handled("scan", t); }

    void handled(const char* what, std::string_view text) {
        calls.push_back(what);
        texts.emplace_back(text);
    }

    bool echo = false, hosei = false, ioCheck = false, repeat = false;
    std::string interval = "10sec";
    std::vector<std::string> calls, texts;
    std::string memo, debugCommand;
    int debugLength = -1, memoClears = 0;
};

using Calls = std::vector<std::string>;

TEST(Dispatcher, RoutesInOrder) {
    struct Case {
        const char* reply;
        bool hosei;
        bool ioCheck;
        Calls calls;
    };
    const Case cases[] = {
        {"", false, false, {"framWrite off"}},
        {"$G00ABC0\n", false, false, {"sensorVersion on", "areaCombos on", "scan"}},
        {"$G00ABC0\n", false, true, {"sensorVersion on", "scan"}},
        {"V0VENDx PRODy SERIz STATw\n", false, false, {"version", "sensorVersion on", "areaCombos on", "framRead on"}},
        {"$FR000ABC\n", false, false, {"fram", "areaCombos on", "framRead on"}},
        {"$IR00000000\n", false, true, {"sensorVersion on", "areaCombos off", "io", "framRead on"}},
        {"H2560000 0 0A0B\n", false, false, {"sensorVersion on", "inspection", "areaCombos on", "framRead on"}},
        {"H2565000 0 0A0B\n", true, false, {"repeat 9000 off", "correction"}},
        // A version record under "Hosei" is still identified, then goes to the correction handler.
        {"V0VENDx\n", true, false, {"version", "repeat 9000 off", "correction"}},
        {"garbage\n", false, false, {"sensorVersion on", "areaCombos on", "framRead on"}},
    };
    for (const Case& c : cases) {
        LinkFlags flags;
        RecordingTarget t;
        t.hosei = c.hosei;
        t.ioCheck = c.ioCheck;
        Dispatcher d(flags, t);
        d.dispatch(ReplyEnvelope{c.reply, "$G\n", "H2560000\n"});
        EXPECT_EQ(t.calls, c.calls) << c.reply;
    }
}

TEST(Dispatcher, FramReplyClearsTheRequest) {
    LinkFlags flags;
    flags.framReadRequested = true;
    RecordingTarget t;
    Dispatcher d(flags, t);
    d.dispatch(ReplyEnvelope{"$G00\n", "$G\n", ""});
    EXPECT_TRUE(flags.framReadRequested);
    d.dispatch(ReplyEnvelope{"$FR000\n", "", ""});
    EXPECT_FALSE(flags.framReadRequested);
}

TEST(Dispatcher, IgnoresEverythingWhileShuttingDown) {
    LinkFlags flags;
    flags.shuttingDown = true;
    RecordingTarget t;
    t.echo = true;
    Dispatcher d(flags, t);
    d.dispatch(ReplyEnvelope{"$G00\n", "$G\n", ""});
    d.dispatch(ReplyEnvelope{"", "", ""});
    EXPECT_TRUE(t.calls.empty());
    EXPECT_TRUE(t.memo.empty());
}

TEST(Dispatcher, HandlersSeeOnlyTheirOwnReply) {
    LinkFlags flags;
    RecordingTarget t;
    Dispatcher d(flags, t);
    d.dispatch(ReplyEnvelope{"V0VENDa SERIb\n", "$G\nV\n", ""});
    d.dispatch(ReplyEnvelope{"$G00XYZ0\n", "$G\nV\n", ""});
    EXPECT_EQ(t.texts, (Calls{"V0VENDa SERIb\n", "$G00XYZ0\n"}));
    // No inspection request in force: nothing is an inspection reply.
    EXPECT_EQ(std::count(t.calls.begin(), t.calls.end(), "inspection"), 0);
}

TEST(Dispatcher, CorrectionRepeatIntervals) {
    const std::pair<const char*, int> intervals[] = {{"5sec", 4000},  {"6sec", 5000},  {"7sec", 6000},
                                                     {"8sec", 7000},  {"9sec", 8000},  {"10sec", 9000},
                                                     {"15sec", 14000}, {"30sec", 29000}};
    for (const auto& [caption, ms] : intervals) EXPECT_EQ(hoseiRepeatIntervalMs(caption), ms) << caption;
    EXPECT_EQ(hoseiRepeatIntervalMs("1sec"), std::nullopt);

    LinkFlags flags;
    RecordingTarget t;
    t.hosei = true;
    t.repeat = true;
    t.interval = "30sec";
    Dispatcher d(flags, t);
    d.dispatch(ReplyEnvelope{"H2565000\n", "", ""});
    EXPECT_EQ(t.calls, (Calls{"repeat 29000 on", "correction"}));
}

TEST(Dispatcher, BufferEchoNumbersRepliesAndClearsEveryHundred) {
    LinkFlags flags;
    RecordingTarget t;
    t.echo = true;
    Dispatcher d(flags, t);
    d.dispatch(ReplyEnvelope{"$G00AB0\n", "$G\nV\n", ""});
    EXPECT_EQ(t.memo, "1\t$G00AB0\n\r\n\r\n");
    EXPECT_EQ(t.debugLength, 8);
    EXPECT_EQ(t.debugCommand, "$G\nV\n");
    d.dispatch(ReplyEnvelope{"", "$G\n", ""});
    EXPECT_EQ(t.memo, "1\t$G00AB0\n\r\n\r\n2\t\r\n\r\n");
    EXPECT_EQ(t.debugLength, 0);
    for (int i = 3; i < 100; ++i) d.dispatch(ReplyEnvelope{"x\n", "", ""});
    EXPECT_EQ(t.memoClears, 0);
    d.dispatch(ReplyEnvelope{"$G00\n", "", ""});
    EXPECT_EQ(t.memoClears, 1);
    EXPECT_EQ(t.memo, "100\t$G00\n\r\n\r\n");

    t.echo = false;
    d.dispatch(ReplyEnvelope{"$G00\n", "", ""});
    EXPECT_EQ(t.memo, "100\t$G00\n\r\n\r\n");
}

}  // namespace
}  // namespace avz
