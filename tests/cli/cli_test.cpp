// avuzevi-cli: global options, usage errors and the port list.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/console_dialogs.h"

namespace avz::cli {
namespace {

struct Captured {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ~Captured() {
        std::fclose(out);
        std::fclose(err);
    }
    static std::string read(std::FILE* f) {
        std::rewind(f);
        std::string s;
        char buf[512];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
        return s;
    }
    CliIo io() {
        CliIo io;
        io.in = nullptr;
        io.out = out;
        io.err = err;
        io.systemPorts = [] { return std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyACM0"}; };
        return io;
    }
};

TEST(Cli, PortsInMenuOrder) {
    Captured c;
    EXPECT_EQ(run({"--port", "/dev/mine", "ports"}, c.io()), 0);
    EXPECT_EQ(Captured::read(c.out), "/dev/mine\n/dev/ttyUSB0\n/dev/ttyACM0\n");
}

TEST(Cli, UsageErrorsExit2) {
    const std::vector<std::vector<std::string>> cases = {
        {}, {"bogus"}, {"--baud", "9600", "ports"}, {"--timeout", "x", "ports"}, {"send"}, {"ports", "extra"},
        {"--nonsense", "ports"}, {"send", "V\\n"} /* no port */, {"scan", "--scans", "3"}, {"scan", "--count", "0"},
        {"detect", "extra"}};
    for (const auto& args : cases) {
        Captured c;
        EXPECT_EQ(run(args, c.io()), 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(Captured::read(c.err).find("usage:"), std::string::npos);
    }
}

TEST(Cli, HelpListsTheCommands) {
    Captured c;
    EXPECT_EQ(run({"--help"}, c.io()), 0);
    const std::string help = Captured::read(c.out);
    EXPECT_NE(help.find("ports"), std::string::npos);
    EXPECT_NE(help.find("send TEXT"), std::string::npos);
    EXPECT_NE(help.find("scan [--count N]"), std::string::npos);
}

TEST(Cli, MessagesPrintTheirCaptionInBracketsButPlainBoxesTheTextAlone) {
    struct Case {
        const char* caption;
        Buttons buttons;
        Answer answer;  // with --yes
        const char* printed;
    };
    const Case cases[] = {
        {"DETECTION ERROR", Buttons::Ok, Answer::Ok, "[DETECTION ERROR] Incompatible Sensor\n"},
        {"WARNING", Buttons::YesNo, Answer::Yes, "[WARNING] Incompatible Sensor\n"},
        {kPlainCaption, Buttons::Ok, Answer::Ok, "Incompatible Sensor\n"},
    };
    for (const Case& k : cases) {
        Captured c;
        ConsoleDialogs dialogs(true, nullptr, c.err);
        EXPECT_EQ(dialogs.message("Incompatible Sensor", k.caption, k.buttons, Icon::Error), k.answer);
        EXPECT_EQ(Captured::read(c.err), k.printed);
    }
}

TEST(Cli, EscapesExpand) { EXPECT_EQ(expandEscapes("V\\n$G\\n\\\\x\\q"), "V\n$G\n\\x\\q"); }

}  // namespace
}  // namespace avz::cli
