// Reading a file's lines and comparing them with what was read from the camera, without a camera:
// the read buffer's limit, and the differences for lines the camera would not get.

#include <gtest/gtest.h>

#include "TestServices.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "settings/SettingsCompare.h"

using namespace vr;
using Kind = settings::SettingDifference::Kind;

namespace {

size_t RowOf(const protocol::ParameterTable& table, uint32_t ctrlId) {
    return static_cast<size_t>(table.CtrlId2TblIndex(ctrlId));
}

TEST(SettingsLines, ALineOfMoreThan255CharactersIsOneBadLine) {
    const std::string fits = "GA=1" + std::string(251, ' ');  // 255 characters
    const auto lines = settings::SettingsLines::Split(fits + "\r\n" + fits + " \r\nBL=3");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_FALSE(lines[0].overlong);
    EXPECT_TRUE(lines[1].overlong);
    EXPECT_EQ(lines[2].text, "BL=3");
    EXPECT_EQ(lines[2].number, 3);
    settings::SettingsLines reader;
    EXPECT_EQ(reader.Interpret(lines[0], false, settings::kModelKA).use, settings::LineUse::Setting);
    EXPECT_EQ(reader.Interpret(lines[1], false, settings::kModelKA).use, settings::LineUse::Ignored);
}

TEST(SettingsCompare, OnlyWhatLoadingWouldSendIsCompared) {
    test::TestServices services;
    protocol::ParameterTable& table = services.table;
    settings::SettingsLines reader;
    settings::CameraModel model{settings::kModelKA, "VR-8200-KA"};
    table.SetDataValue(1041, 400);   // "GA"
    table.SetDataValue(1225, 2048);  // "WTC"
    // What a read in user mode queried, in table order: "EI", "WTC" and "GA" answered, "OFC" did not.
    const std::vector<settings::RowReadResult> read = {{RowOf(table, 1233), true},
                                                       {RowOf(table, 1225), true},
                                                       {RowOf(table, 1227), false},
                                                       {RowOf(table, 1041), true}};
    const auto lines = settings::SettingsLines::Split(
        "MD00=VR-8200-KB\r\n"
        "GA=100\r\nGA=400\r\n"  // the later line wins, as when loading: equal
        "WTC=4096\r\n"          // differs
        "OFC=16\r\n"            // not answered
        "WB0R=120\r\n"          // a factory setting, outside factory mode: never sent
        "LROP=1\r\nLROP=2\r\n"  // the model lacks it: listed once, with the later value
        "XYZ=1\r\n");
    const auto d = settings::CompareSettings(lines, reader, table, read, model, false);
    ASSERT_EQ(d.size(), 5u);
    EXPECT_EQ(d[0].name, "MD00");
    EXPECT_TRUE(d[0].isText);
    EXPECT_EQ(d[0].fileValue, "VR-8200-KB");
    EXPECT_EQ(d[0].cameraValue, "VR-8200-KA");
    EXPECT_EQ(d[1].name, "EI");
    EXPECT_EQ(d[1].kind, Kind::FileLacks);
    EXPECT_EQ(d[1].fileValue, std::nullopt);
    EXPECT_EQ(d[1].cameraValue, "0");
    EXPECT_EQ(d[1].caption, "Exposure / RB Exp Interlocked");
    EXPECT_EQ(d[2].name, "WTC");
    EXPECT_EQ(d[2].kind, Kind::Differs);
    EXPECT_EQ(d[2].fileValue, "4096");
    EXPECT_EQ(d[2].cameraValue, "2048");
    EXPECT_EQ(d[3].name, "OFC");
    EXPECT_EQ(d[3].kind, Kind::NoAnswer);
    EXPECT_EQ(d[3].fileValue, "16");
    EXPECT_EQ(d[3].cameraValue, std::nullopt);
    EXPECT_EQ(d[4].name, "LROP");
    EXPECT_EQ(d[4].kind, Kind::ModelLacks);
    EXPECT_EQ(d[4].fileValue, "2");
    EXPECT_TRUE(services.platform.boxes.empty());
}

}  // namespace
