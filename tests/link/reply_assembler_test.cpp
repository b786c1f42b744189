// Reply assembly: line feeds dropped, two in a row end a reply, and the chunk limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/command_catalogue.h"
#include "link/reply_assembler.h"

namespace avz {
namespace {

struct Collect {
    std::vector<std::string> replies;
    ReplyAssembler::ReplyFn fn() {
        return [this](std::string_view r) { replies.emplace_back(r); };
    }
};

TEST(ReplyAssembler, ReplySplitAcrossReadsIsOneText) {
    ReplyAssembler a(ReplyAssembler::Mode::Reader);
    Collect c;
    EXPECT_TRUE(a.feed("V\n0\nVEND:x", c.fn()));
    EXPECT_TRUE(a.feed("\nPROD:KVR", c.fn()));
    EXPECT_TRUE(c.replies.empty());
    EXPECT_TRUE(a.feed("-38PT\n", c.fn()));
    EXPECT_TRUE(a.feed("\n", c.fn()));
    ASSERT_EQ(c.replies.size(), 1u);
    EXPECT_EQ(c.replies[0], "V0VEND:xPROD:KVR-38PT");
}

TEST(ReplyAssembler, TwoRepliesInOneReadComeInOrder) {
    ReplyAssembler a(ReplyAssembler::Mode::Reader);
    Collect c;
    a.feed("$G\n00123\n\nV\n0\n\n$I", c.fn());
    ASSERT_EQ(c.replies.size(), 2u);
    EXPECT_EQ(c.replies[0], "$G00123");
    EXPECT_EQ(c.replies[1], "V0");
    EXPECT_EQ(a.pending(), "$I");
}

TEST(ReplyAssembler, NulIsKeptExceptDuringDetection) {
    const std::string chunk("V\n0\0X\n\n", 7);
    for (const auto mode : {ReplyAssembler::Mode::Reader, ReplyAssembler::Mode::Blocking, ReplyAssembler::Mode::Detection}) {
        ReplyAssembler a(mode);
        Collect c;
        a.feed(chunk, c.fn());
        ASSERT_EQ(c.replies.size(), 1u);
        EXPECT_EQ(c.replies[0], mode == ReplyAssembler::Mode::Detection ? std::string("V0X") : std::string("V0\0X", 4));
    }
}

TEST(ReplyAssembler, ChunkPositionPast5000CutsTheReplyOnce) {
    ReplyAssembler a(ReplyAssembler::Mode::Reader);
    Collect c;
    std::string chunk(5600, 'a');
    chunk += "\n\n";
    EXPECT_TRUE(a.feed(chunk, c.fn()));
    ASSERT_EQ(c.replies.size(), 2u);
    EXPECT_EQ(c.replies[0].size(), 5002u);  // positions 0..5001
    EXPECT_EQ(c.replies[1].size(), 598u);
}

TEST(ReplyAssembler, ChunkLimitsDropTheRest) {
    struct Case {
        ReplyAssembler::Mode mode;
        int limit;
    };
    const Case cases[] = {{ReplyAssembler::Mode::Reader, 6400},
                          {ReplyAssembler::Mode::Blocking, 6000},
                          {ReplyAssembler::Mode::Detection, 6000}};
    for (const auto& k : cases) {
        ReplyAssembler a(k.mode);
        Collect c;
        std::string within(static_cast<std::size_t>(k.limit + 1), 'b');  // last position == limit
        EXPECT_TRUE(a.feed(within, c.fn())) << k.limit;
        a.reset();
        c.replies.clear();
        std::string over(static_cast<std::size_t>(k.limit + 2), 'b');
        over[static_cast<std::size_t>(k.limit + 1)] = 'Z';
        EXPECT_FALSE(a.feed(over, c.fn())) << k.limit;
        ASSERT_EQ(c.replies.size(), 1u);  // the cut at 5000
        EXPECT_EQ(a.pending().size(), static_cast<std::size_t>(k.limit - 5001));
        EXPECT_EQ(a.pending().find('Z'), std::string_view::npos);
    }
}

TEST(ReplyAssembler, AReplyReaching6498StartsAgain) {
    ReplyAssembler a(ReplyAssembler::Mode::Reader);
    Collect c;
    // Many short chunks never pass the 5000 position, so only the length guard can stop the text.
    for (int i = 0; i < 6498; ++i) a.feed("x", c.fn());
    EXPECT_EQ(a.pending().size(), 6498u);
    a.feed("y", c.fn());
    EXPECT_EQ(a.pending(), "y");
    EXPECT_TRUE(c.replies.empty());
}

TEST(InspectionRequest, PadsTheStepToThreeDigits) {
    EXPECT_EQ(buildInspectionRequest("5", "0000"), "H0050000\n");
    EXPECT_EQ(buildInspectionRequest("56", "4000"), "H0564000\n");
    EXPECT_EQ(buildInspectionRequest("256", "0000"), "H2560000\n");
    EXPECT_EQ(buildInspectionRequest("", "1000"), "H1000\n");
}

TEST(CommandCatalogue, HoldsTheFixedTexts) {
    const CommandCatalogue c;
    EXPECT_EQ(c.version, "V\n");
    EXPECT_EQ(c.speedCommand(19200), "S0192000000000\n");
    EXPECT_EQ(c.speedCommand(57600), "S0576000000000\n");
    EXPECT_EQ(c.speedCommand(115200), "S1152000000000\n");
    EXPECT_EQ(c.speedCommand(9600), "");
    EXPECT_EQ(c.getScan, "$G\n");
    EXPECT_EQ(c.inspection, "H2560000\n");
    EXPECT_EQ(c.framRead, "$FR00\n");
    EXPECT_EQ(c.ioRead, "$IR\n");
}

}  // namespace
}  // namespace avz
