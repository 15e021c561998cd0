// The virtual camera's fault switches as typed on its command line: counts are whole numbers, and a
// slip is refused rather than read as 0 (a fault test that silently ran without its fault).

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "sim/SimCli.h"

namespace {

bool Parses(const std::string& switches, vr::sim::SimOptions& options) {
    CLI::App app;
    vr::sim::AddSimOptions(app, options);
    try {
        app.parse("vr8200-sim " + switches, true);
    } catch (const CLI::ParseError&) {
        return false;
    }
    return true;
}

}  // namespace

TEST(SimCli, DelaysAndCountsAreWholeNumbers) {
    vr::sim::SimOptions o;
    ASSERT_TRUE(Parses("--late-reply 3:800 --delay-reply ga:250,MD:10 --hang-at lut:4", o));
    EXPECT_EQ(o.lateReplyLine, 3);
    EXPECT_EQ(o.lateReplyMs, 800);
    EXPECT_EQ(o.delayReplyMs, (std::map<std::string, int>{{"GA", 250}, {"MD", 10}}));
    EXPECT_EQ(o.hangAtCommand, "LUT");
    EXPECT_EQ(o.hangAtCount, 4);
    for (const char* bad : {"--late-reply 5s", "--late-reply 3:", "--late-reply 3:x", "--delay-reply GA",
                            "--delay-reply GA:-5", "--delay-reply GA:1e3", "--hang-at GA:two"}) {
        vr::sim::SimOptions options;
        EXPECT_FALSE(Parses(bad, options)) << bad;
    }
}
