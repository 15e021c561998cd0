// The camera's line cutting: an overlong line and a reset (line ends and NULs are test_sim_pty's).

#include <gtest/gtest.h>

#include "sim/LineAssembler.h"

using vr::sim::LineAssembler;

namespace {

std::vector<std::string> Lines(LineAssembler& a, const std::string& bytes) {
    std::vector<std::string> lines;
    for (char c : bytes)
        if (auto line = a.Feed(c)) lines.push_back(line->overlong ? "<overlong>" : line->text);
    return lines;
}

}  // namespace

TEST(LineAssembler, ReportsAnOverlongLineOnceAndForgetsGarbage) {
    LineAssembler a;
    const std::string longest(LineAssembler::kMaxLineBytes, 'x');
    EXPECT_EQ(Lines(a, longest + "\n"), std::vector<std::string>{longest});
    EXPECT_EQ(Lines(a, longest + "y\r\nMD?\n"), (std::vector<std::string>{"<overlong>", "MD?"}));
    Lines(a, "GARBAGE");
    EXPECT_FALSE(a.Empty());
    a.Reset();
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(Lines(a, "GA?\n"), std::vector<std::string>{"GA?"});
}
