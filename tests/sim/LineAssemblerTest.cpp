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

TEST(LineAssembler, SplitsAtEitherLineEndAndIgnoresNulBytes) {
    const struct {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"MD?\r\n", {"MD?"}},
        {"MD?\n", {"MD?"}},
        {"MD?\r", {"MD?"}},  // a terminal's Enter
        {std::string("\0\0\0MD?\r\n\0\0", 10), {"MD?"}},
        {std::string("G\0A?\n", 5), {"GA?"}},
        {"\r\n\r\n\n", {}},
        {"GA?\r\nGA=1\r\nLR?", {"GA?", "GA=1"}},
    };
    for (const auto& c : cases) {
        LineAssembler a;
        EXPECT_EQ(Lines(a, c.bytes), c.lines);
    }
}

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
