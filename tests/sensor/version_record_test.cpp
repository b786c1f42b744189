// Cutting the version record into its six texts, and the version window's trees.
#include <gtest/gtest.h>

#include "sensor/version_content.h"
#include "sensor/version_record.h"

namespace avz {
namespace {

TEST(ParseVersion, CutsEachFieldUpToTheNextName) {
    const std::string record =
        "V0VEND:AVUZEVI SIMULATIONPROD:KVR-38PTFIRM:1.00.00(2026-12-01)PROT:DXLN 1.0SERI:SIM00001STAT:Sensor works well.\n";
    const SensorVersionInfo v = parseVersion(record);
    EXPECT_EQ(v.vend, "VEND:AVUZEVI SIMULATION");
    EXPECT_EQ(v.prod, "PROD:KVR-38PT");
    EXPECT_EQ(v.firm, "FIRM:1.00.00(2026-12-01)");
    EXPECT_EQ(v.prot, "PROT:DXLN 1.0");
    EXPECT_EQ(v.seri, "SERI:SIM00001");
    EXPECT_EQ(v.stat, "STAT:Sensor works well.");
}

TEST(ParseVersion, StatWithoutLineFeedIsSixtyCharactersClampedToTheText) {
    const std::string head = "V0VENDaPRODbFIRMcPROTdSERIe";
    EXPECT_EQ(parseVersion(head + "STAT:short").stat, "STAT:short");
    const std::string longStat = "STAT:" + std::string(100, 'x');
    EXPECT_EQ(parseVersion(head + longStat).stat, longStat.substr(0, 60));
    EXPECT_EQ(parseVersion(head + "STAT").stat, "STAT");
}

TEST(ParseVersion, MissingNamesGiveEmptyFieldsNeverAReadPastTheText) {
    const SensorVersionInfo noSeri = parseVersion("V0VENDaPRODbFIRMcPROTdSTATok\n");
    EXPECT_EQ(noSeri.prod, "PRODb");
    EXPECT_EQ(noSeri.prot, "");  // it ends at SERI, which is missing
    EXPECT_EQ(noSeri.seri, "");
    EXPECT_EQ(noSeri.stat, "STATok");
    EXPECT_EQ(parseVersion(""), SensorVersionInfo{});
    EXPECT_EQ(parseVersion("V0VEN"), SensorVersionInfo{});
}

TEST(ParseVersion, VersionTextStartsAtTheMarker) {
    EXPECT_EQ(versionTextOf("junkV0VENDx\n"), "V0VENDx\n");
    EXPECT_EQ(versionTextOf("V1VENDx\n"), "V1VENDx\n");
}

TEST(VersionContent, Trees) {
    const SensorVersionInfo v{"VENDa", "PRODb", "FIRMc", "PROTd", "SERIe", "STATf"};
    EXPECT_EQ(sensorVersionTree(v), (VersionTree{"VERSION", {"VENDa", "PRODb", "FIRMc", "PROTd", "SERIe", "STATf"}}));
    const VersionTree g = graphicsVersionTree();
    EXPECT_EQ(g.root, "VERSION");
    ASSERT_EQ(g.children.size(), 4u);
    EXPECT_EQ(g.children[0], "Zozuv Uradov EROROVU");
    EXPECT_EQ(g.children[1], "VERSION: 0.0.0.053");
    EXPECT_EQ(g.children[2], "DATE: 2012-11-21");
}

}  // namespace
}  // namespace avz
