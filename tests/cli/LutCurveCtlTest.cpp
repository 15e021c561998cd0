// vr8200ctl lut curve: the gamma file of a curve, and what it refuses.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RunTool.h"
#include "TempDir.h"

using vr::test::Contains;
using vr::test::RunTool;

namespace {

class LutCurveCtlTest : public ::testing::Test {
protected:
    vr::test::TempDir config;
    vr::test::TempDir files;

    vr::test::ToolResult Curve(const std::string& file, const std::string& points, bool yes = false) {
        std::vector<std::string> args = {"lut", "curve", file, "--points", points};
        if (yes) args.insert(args.begin(), "--yes");
        return RunTool(args, config.Path());
    }
};

}  // namespace

TEST_F(LutCurveCtlTest, WritesTheEditorsTableForAllThreeColours) {
    const std::string path = files.Path() + "/gamma.csv";
    const auto r = Curve(path, "0,256 256,0");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = files.ReadFile("gamma.csv");
    // The straight line as the editor computes it (its nearest-sample rule gives 172 at entry 11).
    EXPECT_TRUE(text.starts_with("GammaData (R G B)\r\n0,0,0\r\n16,16,16\r\n32,32,32\r\n49,49,49\r\n65,65,65\r\n"));
    EXPECT_TRUE(Contains(text, "\r\n163,163,163\r\n172,172,172\r\n"));
    EXPECT_TRUE(Contains(text, "\r\n2048,2048,2048\r\n"));
    EXPECT_TRUE(text.ends_with("\n4095,4095,4095\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 257);

    // Three points bend the curve; an existing file is replaced only when the operator agrees.
    const auto kept = Curve(path, "0,256 64,96 256,0");
    EXPECT_EQ(kept.exitCode, 4);
    EXPECT_TRUE(Contains(kept.err, "This file already exists."));
    EXPECT_EQ(files.ReadFile("gamma.csv"), text);
    const auto replaced = Curve(path, "0,256 64,96 256,0", true);
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_TRUE(Contains(files.ReadFile("gamma.csv"), "\r\n2560,2560,2560\r\n")) << "the bent curve";
}

TEST_F(LutCurveCtlTest, BadPointsAreUsageErrorsThatNameThePoint) {
    const struct {
        const char* points;
        const char* message;
    } cases[] = {
        {"0,256 12;40 256,0", "point 2 \"12;40\" is not X,Y"},
        {"0,256 256,0 257,0", "point 3 \"257,0\" lies outside the plot"},
        {"0,256 200,10 100,50", "point 3 \"100,50\" lies left of the point before it"},
        {"0,256", "1 points given; a curve has 2 to 16"},
        {"0,1 1,1 2,1 3,1 4,1 5,1 6,1 7,1 8,1 9,1 10,1 11,1 12,1 13,1 14,1 15,1 16,1",
         "17 points given; a curve has 2 to 16"},
    };
    for (const auto& c : cases) {
        const auto r = Curve(files.Path() + "/bad.csv", c.points);
        EXPECT_EQ(r.exitCode, 2) << c.points;
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
    }
    EXPECT_EQ(RunTool({"lut", "curve", files.Path() + "/bad.csv"}, config.Path()).exitCode, 2);  // no --points
    EXPECT_EQ(Curve(files.Path() + "/no/such/folder/g.csv", "0,256 256,0").exitCode, 4);
}
