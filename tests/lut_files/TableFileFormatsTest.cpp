// The gamma and shading files on their own: the lenient readers, their messages and endings, and the
// exact bytes the writers produce.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "lut/GammaFile.h"
#include "lut/PlainLutTables.h"
#include "lut/ShadingFile.h"

using namespace vr;
using lut::LutColour;
using Strings = std::vector<std::string>;

namespace {

std::string GammaLines(int count) {
    std::string text = "GammaData (R G B)\r\n";
    for (int i = 0; i < count; ++i)
        text += std::to_string(i) + "," + std::to_string(2 * i) + "," + std::to_string(3 * i) + "\r\n";
    return text;
}

std::string ShadingLines(int count) {
    std::string text = "ShadingData  (G R B)\r\n";
    for (int i = 0; i < count; ++i)
        text += std::to_string(4000 + i) + ", " + std::to_string(5000 + i) + ", " + std::to_string(6000 + i) + "\r\n";
    return text;
}

// Tables that hold 7 everywhere, so a test sees which entries a read touched.
lut::PlainLutTables SevenTables() {
    lut::PlainLutTables tables;
    for (LutColour c : lut::kLutColours) tables.Table(c).fill(7);
    return tables;
}

lut::ShadingBuffer SevenBuffer() {
    lut::ShadingBuffer buffer;
    for (auto& plane : buffer) plane.fill(7);
    return buffer;
}

}  // namespace

TEST(GammaFileTest, ReaderStopsAtTheFirstLineItCannotPlace) {
    struct Case {
        const char* name;
        std::string text;
        bool ok;  // read to its end: the tables are shown as read
        int entries;
        Strings messages;
    };
    const std::string longLine = "1,2,3" + std::string(195, ' ');
    const std::string binary = [] {
        std::string bytes;
        for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
        return bytes;
    }();
    const Case cases[] = {
        {"a full file", GammaLines(256), true, 256, {}},
        {"an empty line after the last entry", GammaLines(256) + "\r\n", false, 256, {"Invaild line format"}},
        {"a 257th line", GammaLines(257), false, 256, {"Too many data"}},
        {"a fourth field", GammaLines(3) + "1,2,3,4\r\n5,5,5\r\n", false, 3, {"Invalid data count format"}},
        {"two fields", GammaLines(1) + "1,2\r\n", false, 1, {"Invaild line format"}},
        {"blanks instead of commas", GammaLines(1) + "1 2 3\r\n", false, 1, {"Invaild line format"}},
        {"only the header", "GammaData (R G B)\r\n", true, 0, {}},
        {"nothing at all", "", true, 0, {}},
        {"bare LF and no final line end", "any header\n0,0,0\n1,2,3", true, 2, {}},
        {"126 characters are one line", GammaLines(1) + "1,2,3" + std::string(121, ' ') + "\r\n", true, 2, {}},
        // Read in pieces it would be "1,2,3" and a line of blanks; as a whole it is one bad line.
        {"a line longer than the read buffer", GammaLines(1) + longLine + "\r\n", false, 1, {"Invaild line format"}},
        {"a binary file", binary + binary, false, 0, {"Invaild line format"}},
    };
    for (const Case& c : cases) {
        lut::PlainLutTables tables = SevenTables();
        const lut::CsvReadResult read = lut::ReadGammaText(c.text, tables);
        EXPECT_EQ(read.ok, c.ok) << c.name;
        EXPECT_EQ(read.entries, c.entries) << c.name;
        EXPECT_EQ(read.messages, c.messages) << c.name;
        for (LutColour colour : lut::kLutColours) EXPECT_EQ(tables.ShownAsRead(colour), c.ok) << c.name;
        // What was stored stays stored, whatever ended the read; the rest keeps its values.
        for (int i = 0; i < 256; ++i) {
            const auto e = static_cast<size_t>(i);
            const bool stored = i < c.entries;
            ASSERT_EQ(tables.Table(LutColour::Red)[e], stored ? i : 7) << c.name << " entry " << i;
            ASSERT_EQ(tables.Table(LutColour::Blue)[e], stored ? 3 * i : 7) << c.name << " entry " << i;
        }
    }
}

TEST(GammaFileTest, ReaderTakesDigitsOnlyAndLimitsValues) {
    lut::PlainLutTables tables = SevenTables();
    const std::string text = GammaLines(0) + "R=1a0, G=+20 ,B 3x\r\n-5,12,4096\r\n5000,99999999999,0\r\n";
    const lut::CsvReadResult read = lut::ReadGammaText(text, tables);
    EXPECT_TRUE(read.ok);
    // Only the first value above 4095 is reported, with its zero-based data line and as it was read.
    EXPECT_EQ(read.messages, Strings{"Invalid data value: Line(1) : Value(4096)"});
    const auto& r = tables.Table(LutColour::Red);
    const auto& g = tables.Table(LutColour::Green);
    const auto& b = tables.Table(LutColour::Blue);
    EXPECT_EQ((std::vector<int32_t>{r[0], g[0], b[0]}), (std::vector<int32_t>{10, 20, 3}));
    EXPECT_EQ((std::vector<int32_t>{r[1], g[1], b[1]}), (std::vector<int32_t>{5, 12, 4095}));
    EXPECT_EQ((std::vector<int32_t>{r[2], g[2], b[2]}), (std::vector<int32_t>{4095, 4095, 0}));

    // Digits beyond 32 bits stay at the largest value instead of wrapping round.
    lut::PlainLutTables other;
    EXPECT_EQ(lut::ReadGammaText(GammaLines(0) + "0,99999999999,0\r\n", other).messages,
              Strings{"Invalid data value: Line(0) : Value(2147483647)"});
}

TEST(GammaFileTest, WriterProducesExactLinesAndReadsBack) {
    lut::PlainLutTables tables;
    for (int i = 0; i < lut::kLutEntries; ++i) {
        tables.Table(LutColour::Red)[static_cast<size_t>(i)] = i;
        tables.Table(LutColour::Green)[static_cast<size_t>(i)] = 4095 - i;
    }
    const std::string text = lut::FormatGammaFile(tables.Table(LutColour::Red), tables.Table(LutColour::Green),
                                                  tables.Table(LutColour::Blue));
    std::string expected = "GammaData (R G B)\r\n";
    for (int i = 0; i < 256; ++i) expected += std::to_string(i) + "," + std::to_string(4095 - i) + ",0\r\n";
    EXPECT_EQ(text, expected);

    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(lut::WriteGammaFile(dir / "lut.csv", tables.Table(LutColour::Red), tables.Table(LutColour::Green),
                                    tables.Table(LutColour::Blue), error))
        << error;
    EXPECT_EQ(dir.ReadFile("lut.csv"), expected);
    lut::PlainLutTables back;
    EXPECT_TRUE(lut::ReadGammaText(expected, back).ok);
    for (LutColour colour : lut::kLutColours) EXPECT_EQ(back.Table(colour), tables.Table(colour));

    EXPECT_FALSE(lut::WriteGammaFile(dir / "no/such/folder/lut.csv", back.Table(LutColour::Red),
                                     back.Table(LutColour::Green), back.Table(LutColour::Blue), error));
    EXPECT_FALSE(error.empty());
}

TEST(ShadingFileTest, ReaderFillsWhatTheFileGives) {
    struct Case {
        const char* name;
        std::string text;
        bool ok;
        int entries;
        Strings messages;
    };
    std::string binary;
    for (int copy = 0; copy < 4; ++copy)
        for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
    const Case cases[] = {
        {"a full file", ShadingLines(1024), true, 1024, {}},
        {"ten lines", ShadingLines(10), true, 10, {}},
        {"1025 lines", ShadingLines(1025), true, 1024, {"Too many data"}},
        {"only the header", ShadingLines(0), true, 0, {}},
        {"a fourth field", ShadingLines(5) + "1, 2, 3, 4\r\n", false, 5, {"Invaild data count format"}},
        {"a long line skipped",
         ShadingLines(2) + "1, 2, 3" + std::string(200, ' ') + "\r\n4002, 5002, 6002\r\n",
         true,
         3,
         {"Line 4 of the file is longer than 126 characters and was skipped."}},
        {"a binary file",
         binary,
         true,
         0,
         {"4 lines of the file are longer than 126 characters and were skipped, the first at line 2."}},
    };
    for (const Case& c : cases) {
        lut::ShadingBuffer buffer = SevenBuffer();
        const lut::CsvReadResult read = lut::ReadShadingText(c.text, buffer);
        EXPECT_EQ(read.ok, c.ok) << c.name;
        EXPECT_EQ(read.entries, c.entries) << c.name;
        EXPECT_EQ(read.messages, c.messages) << c.name;
        if (!c.ok) {
            // A malformed file leaves nothing of itself behind.
            EXPECT_EQ(buffer, SevenBuffer()) << c.name;
            continue;
        }
        for (int i = 0; i < lut::kShadingEntries; ++i) {
            const auto e = static_cast<size_t>(i);
            const bool given = i < c.entries;
            ASSERT_EQ(buffer[0][e], given ? 4000 + i : 7) << c.name << " entry " << i;
            ASSERT_EQ(buffer[2][e], given ? 6000 + i : 7) << c.name << " entry " << i;
        }
    }
}

TEST(ShadingFileTest, ReaderTakesMissingFieldsAsZeroAndHasNoRange) {
    lut::ShadingBuffer buffer = SevenBuffer();
    const lut::CsvReadResult read =
        lut::ReadShadingText(ShadingLines(0) + "12 34 56\r\n5\r\n5,6\r\n-9000, 99999, x\r\n", buffer);
    EXPECT_TRUE(read.ok);
    EXPECT_TRUE(read.messages.empty());
    const std::vector<std::vector<int32_t>> expected = {{123456, 0, 0}, {5, 0, 0}, {5, 6, 0}, {9000, 99999, 0}};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ((std::vector<int32_t>{buffer[0][i], buffer[1][i], buffer[2][i]}), expected[i]) << "line " << i;
}

TEST(ShadingFileTest, WriterProducesExactLines) {
    lut::ShadingBuffer buffer{};
    for (size_t i = 0; i < lut::kShadingEntries; ++i) {
        buffer[0][i] = static_cast<int32_t>(i);
        buffer[1][i] = 4096;
        buffer[2][i] = 8191 - static_cast<int32_t>(i);
    }
    std::string expected = "ShadingData  (G R B)\r\n";
    for (int i = 0; i < 1024; ++i) expected += std::to_string(i) + ", 4096, " + std::to_string(8191 - i) + "\r\n";
    EXPECT_EQ(lut::FormatShadingFile(buffer), expected);
    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(lut::WriteShadingFile(dir / "shading.csv", buffer, error)) << error;
    EXPECT_EQ(dir.ReadFile("shading.csv"), expected);
    lut::ShadingBuffer back = SevenBuffer();
    EXPECT_EQ(lut::ReadShadingText(expected, back).entries, 1024);
    EXPECT_EQ(back, buffer);
}
