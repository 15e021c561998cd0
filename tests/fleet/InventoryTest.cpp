// The inventory reader: every kind of link, paths from the file's folder, and each kind of bad entry
// reported with its line while nothing of the inventory is kept.

#include <gtest/gtest.h>

#include "TempDir.h"
#include "fleet/Inventory.h"
#include "link/CommSetting.h"

namespace vr {
namespace {

using Lines = std::vector<std::string>;

TEST(Inventory, ReadsEveryLinkKindWithPathsFromTheFilesFolder) {
    test::TempDir dir;
    dir.WriteFile("line.toml", R"(# line 3
[[camera]]
name = "left"
port = "/dev/ttyUSB0"
camera_id = "2400012345"
golden = "golden/left.cam"

[[camera]]
name = "right"
link = "cl11"
port_index = 1
golden = "/srv/golden/right.cam"

[[camera]]
name = "far"
port = "rfc2217://cabinet-3:2217"

[[camera]]
name = "bench"
port = "cam0"
)");
    const fleet::Inventory inventory = fleet::ReadInventory(dir / "line.toml");
    ASSERT_TRUE(inventory.Usable()) << inventory.problems.front().Describe();
    ASSERT_EQ(inventory.cameras.size(), 4u);
    const auto& left = inventory.cameras[0];
    EXPECT_EQ(left.name, "left");
    EXPECT_EQ(left.line, 2);
    EXPECT_EQ(left.mode, link::ComPort);
    EXPECT_EQ(left.port, "/dev/ttyUSB0");
    EXPECT_EQ(left.cameraId.value_or(""), "2400012345");
    EXPECT_EQ(left.golden, dir / "golden/left.cam");
    const auto& right = inventory.cameras[1];
    EXPECT_EQ(right.mode, link::CameraLinkVer11);
    EXPECT_EQ(right.portIndex, 1u);
    EXPECT_EQ(right.LinkText(), "cl11 port 1");
    EXPECT_EQ(right.golden, "/srv/golden/right.cam");
    EXPECT_FALSE(right.cameraId);
    EXPECT_EQ(inventory.cameras[2].mode, link::Network);
    EXPECT_EQ(inventory.cameras[2].port, "rfc2217://cabinet-3:2217");
    EXPECT_EQ(inventory.cameras[3].port, dir / "cam0") << "a relative device is the file's folder's";
}

TEST(Inventory, BadEntriesAreReportedByLineAndNothingIsKept) {
    const std::string good = "[[camera]]\nname = \"ok\"\nport = \"/dev/ttyS0\"\n";
    struct Case {
        std::string text;
        Lines problems;
    };
    const Case cases[] = {
        {"", {"no [[camera]] entries"}},
        {"camera = 1\n", {"line 1: \"camera\" must be a list of [[camera]] tables"}},
        {good + "[[camera]\nname = \"x\"\n", {"line 4: "}},  // the parser's own words follow
        {good + "[[camera]]\nport = \"/dev/ttyS1\"\n", {"line 4: a camera without a name"}},
        {good + "[[camera]]\nname = \"ok\"\nport = \"/dev/ttyS1\"\n",
         {"line 5: the position \"ok\" is already named on line 1"}},
        {good + "[[camera]]\nname = \"a/b\"\nport = \"/dev/ttyS1\"\n", {"line 5: the name must not contain a slash"}},
        {good + "[[camera]]\nname = \"..\"\nport = \"/dev/ttyS1\"\n", {"line 5: the name must not start with a dot"}},
        {good + "[[camera]]\nname = 7\nport = \"/dev/ttyS1\"\n", {"line 5: \"name\" must be a string"}},
        {good + "[[camera]]\nname = \"b\"\n", {"line 4: a camera needs a port, or a link and a port_index"}},
        {good + "[[camera]]\nname = \"b\"\nlink = \"cl3\"\nport_index = 0\n",
         {"line 6: unknown link \"cl3\" (com, cl2000, cl2001 or cl11)"}},
        {good + "[[camera]]\nname = \"b\"\nlink = \"cl2001\"\n", {"line 6: a Camera Link camera needs a port_index"}},
        {good + "[[camera]]\nname = \"b\"\nlink = \"cl2001\"\nport_index = -1\n",
         {"line 7: port_index must be a whole number from 0 to 255"}},
        {good + "[[camera]]\nname = \"b\"\nport = \"/dev/ttyS1\"\nport_index = 2\n",
         {"line 7: port_index needs a Camera Link link"}},
        {good + "[[camera]]\nname = \"b\"\nport = \"/dev/ttyS0\"\n",
         {"line 4: \"b\" and \"ok\" name the same link /dev/ttyS0"}},
        {good + "[[camera]]\nname = \"b\"\nport = \"rfc2217://nohost\"\n", {"line 6: "}},
        {good + "[[camera]]\nname = \"b\"\nport = \"/dev/ttyS1\"\ngolen = \"x.cam\"\n",
         {"line 7: unknown key \"golen\""}},
        {good + "[[camera]]\nname = \"b\"\nport = \"/dev/ttyS1\"\ncamera_id = \"12345678901\"\n",
         {"line 7: a camera ID is 1 to 10 characters, no comma"}},
        // Every problem of the file at once, each on its own line.
        {"[[camera]]\nname = \"\"\nport = \"\"\n[[camera]]\nname = \"c\"\nport = \"/dev/x\"\ngolden = 3\n",
         {"line 2: the name is empty", "line 3: the port is empty or holds a control character",
          "line 7: \"golden\" must be a string"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const fleet::Inventory inventory = fleet::ParseInventory(c.text, "/inv");
        EXPECT_FALSE(inventory.Usable());
        EXPECT_TRUE(inventory.cameras.empty()) << "nothing is opened from a bad inventory";
        ASSERT_EQ(inventory.problems.size(), c.problems.size());
        for (size_t i = 0; i < c.problems.size(); ++i)
            EXPECT_EQ(inventory.problems[i].Describe().substr(0, c.problems[i].size()), c.problems[i]);
    }
}

TEST(Inventory, AFileThatCannotBeReadIsOneProblem) {
    test::TempDir dir;
    const fleet::Inventory inventory = fleet::ReadInventory(dir / "missing.toml");
    ASSERT_EQ(inventory.problems.size(), 1u);
    EXPECT_EQ(inventory.problems[0].line, 0);
    EXPECT_NE(inventory.problems[0].text.find("missing.toml"), std::string::npos);
}

}  // namespace
}  // namespace vr
