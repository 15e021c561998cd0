// The gamma and shading files: the lenient readers, their messages, and the exact bytes the writers produce. Over a
// pty: the LUT menu's file commands and the shading buttons as the operator meets them, and the transfers (the lines on
// the wire, what arrives in the camera, a camera that goes silent, an operator who stops). The dialogs' filters and the
// load of all three tables are the Qt test's (tests/gui); refused entries, reported once, the LUT editor's pty test's.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "CameraOnPty.h"
#include "MemoryLink.h"
#include "camera/CameraSession.h"
#include "lut/GammaFile.h"
#include "lut/LutTransfer.h"
#include "lut/PlainLutTables.h"
#include "lut/ShadingFile.h"
#include "lut/ShadingTransfer.h"
#include "lut/TableFiles.h"
#include "protocol/CommandIds.h"
#include "ui/fronts/LutFront.h"
#include "ui/main/FeatureRouter.h"
#include "ui/main/MainWindowView.h"

using namespace vr;
using lut::LutColour;
using test::kApp;
using test::Strings;
using test::With;

namespace {

// For a camera that goes silent: short enough that ten time-outs in a row end quickly, long enough that an
// answer is never late on a loaded machine or under a sanitizer (the tests count the answers exactly).
lut::TransferTimeouts Silent() {
    constexpr std::chrono::milliseconds kSilent{500};
    return {kSilent, kSilent, kSilent};
}

// Data line k: the three fields base[f] + k * step[f], joined by `separator`.
std::string CsvLines(const char* header, int count, const char* separator, std::array<int, 3> base,
                     std::array<int, 3> step) {
    std::string text = std::string(header) + "\r\n";
    for (int k = 0; k < count; ++k)
        for (size_t f = 0; f < 3; ++f) text += std::to_string(base[f] + k * step[f]) + (f < 2 ? separator : "\r\n");
    return text;
}
// Data line i is "i,2i,3i" in a gamma file and "4000+i, 5000+i, 6000+i" in a shading file.
std::string GammaLines(int count) {
    return CsvLines("GammaData (R G B)", count, ",", {0, 0, 0}, {1, 2, 3});
}
std::string ShadingLines(int count) {
    return CsvLines("ShadingData  (G R B)", count, ", ", {4000, 5000, 6000}, {1, 1, 1});
}

lut::PlainLutTables Tables() {
    lut::PlainLutTables tables;
    for (int i = 0; i < lut::kLutEntries; ++i) {
        const auto e = static_cast<size_t>(i);
        tables.Table(LutColour::Red)[e] = 4095 - i;
        tables.Table(LutColour::Green)[e] = 2 * i;
        tables.Table(LutColour::Blue)[e] = 1000 + i;
    }
    return tables;
}
// Every entry `value`, so the checks see which entries a read touched.
lut::PlainLutTables FilledTables(int32_t value) {
    lut::PlainLutTables tables;
    for (LutColour colour : lut::kLutColours) tables.Table(colour).fill(value);
    return tables;
}
lut::ShadingBuffer FilledBuffer(int32_t value) {
    lut::ShadingBuffer buffer;
    for (auto& plane : buffer) plane.fill(value);
    return buffer;
}
lut::ShadingBuffer Buffer() {
    lut::ShadingBuffer buffer{};
    for (size_t p = 0; p < lut::kShadingPlanes; ++p)
        for (size_t i = 0; i < lut::kShadingEntries; ++i) buffer[p][i] = static_cast<int32_t>(3000 + 1000 * p + i);
    return buffer;
}
// The lines a LUT transfer sends for all three tables: index then data (a value or a query).
Strings LutWire(const lut::PlainLutTables* values) {
    Strings lines;
    const char* names[] = {"R", "G", "B"};
    for (LutColour c : lut::kLutColours)
        for (size_t i = 0; i < lut::kLutEntries; ++i) {
            const std::string name = names[static_cast<int>(c)];
            lines.push_back("LUTI" + name + "=" + std::to_string(i));
            lines.push_back("LUT" + name + (values ? "=" + std::to_string(values->Table(c)[i]) : "?"));
        }
    return lines;
}
Strings ShadingWire(const lut::ShadingBuffer* values) {
    Strings lines;
    for (size_t p = 0; p < lut::kShadingPlanes; ++p) {
        lines.push_back("SDDS=" + std::to_string(p));
        for (size_t i = 0; i < lut::kShadingEntries; ++i) {
            lines.push_back("SDDI=" + std::to_string(i + 1));
            lines.push_back(values ? "SDD=" + std::to_string((*values)[p][i]) : "SDD?");
        }
    }
    if (values) lines.push_back("SDDU=0");
    return lines;
}
std::string LastProgressText(const test::FakePlatform& platform) {
    for (auto it = platform.progress.rbegin(); it != platform.progress.rend(); ++it)
        if (it->rfind("text:", 0) == 0) return it->substr(5);
    return {};
}

class TableFilesTest : public test::CameraOnPty {
protected:
    // A camera that answers is given the tool's own time-outs, so a loaded machine never fails it; one
    // that goes silent is given short ones.
    void Start(sim::SimOptions options = {}, lut::TransferTimeouts timeouts = {}) {
        StartCamera(options);
        session = std::make_unique<camera::CameraSession>(services->Get());
        files = std::make_unique<lut::TableFiles>(
            *session, tables,
            lut::TableFilesWindow{nullptr, [this](const std::string& text) { view.ShowStatusText(text); }}, timeouts);
        ui::RegisterTableFiles(router, *files);
    }
    void Shutdown() override {
        files.reset();
        session.reset();
        CameraOnPty::Shutdown();
    }
    void Menu(uint32_t id) { ASSERT_TRUE(router.RunMenuCommand(id)); }
    void Button(uint32_t id) { ASSERT_TRUE(router.RunButton(id)); }

    test::TempDir dir;
    lut::PlainLutTables tables;
    test::RecordingView view;
    ui::FeatureRouter router;
    std::unique_ptr<camera::CameraSession> session;
    std::unique_ptr<lut::TableFiles> files;
};
using TransferPtyTest = test::CameraOnPty;

}  // namespace

// A file written with CR line ends: one line, its header among it.
std::string CrOnly(std::string text) {
    std::erase(text, '\n');
    return text;
}

TEST(TableFileReadersTest, StopAtTheFirstLineTheyCannotPlace) {
    enum Kind { Gamma, Shading };
    std::string binary;
    for (int i = 0; i < 1024; ++i) binary += static_cast<char>(i % 256);
    const std::string noEntry = "No entry could be read from the file.";
    // clang-format off
    const struct {
        const char* name;
        Kind kind;
        std::string text;
        bool ok;  // read to its end: a gamma file's tables are then shown as read
        int entries;
        Strings messages;
        int missing = -1;  // the entry of a skipped line, which keeps its value
    } cases[] = {
        {"a full gamma file", Gamma, GammaLines(256), true, 256, {}},
        {"an empty line after the last entry", Gamma, GammaLines(256) + "\r\n", false, 256, {"Invaild line format"}},
        {"a 257th line", Gamma, GammaLines(257), false, 256, {"Too many data"}},
        {"a fourth gamma field", Gamma, GammaLines(3) + "1,2,3,4\r\n5,5,5\r\n", false, 3,
         {"Invalid data count format"}},
        {"blanks instead of commas", Gamma, GammaLines(1) + "1 2 3\r\n", false, 1, {"Invaild line format"}},
        // Never a table of zeros from a file that gave no entry.
        {"nothing at all", Gamma, "", false, 0, {noEntry}},
        {"only the gamma header", Gamma, GammaLines(0), false, 0, {noEntry}},
        // The header is one line like any other: too long, it is not taken whole as the header.
        {"CR line ends", Gamma, CrOnly(GammaLines(256)), false, 0, {"Invalid data count format"}},
        {"a 300-character header", Gamma, std::string(300, 'H') + "\r\n" + GammaLines(1).substr(19), false, 0,
         {"Invaild line format"}},
        {"bare LF and no final line end", Gamma, "any header\n0,0,0\n1,2,3", true, 2, {}},
        {"126 characters are one line", Gamma, GammaLines(1) + "1,2,3" + std::string(121, ' ') + "\r\n", true, 2, {}},
        // Read in pieces it would be "1,2,3" and a line of blanks; as a whole it is one bad line.
        {"a gamma line longer than the read buffer", Gamma, GammaLines(1) + "1,2,3" + std::string(195, ' ') + "\r\n",
         false, 1, {"Invaild line format"}},
        {"a binary gamma file", Gamma, binary.substr(0, 512), false, 0, {"Invaild line format"}},
        {"a full shading file", Shading, ShadingLines(1024), true, 1024, {}},
        {"ten lines", Shading, ShadingLines(10), true, 10, {}},
        {"1025 lines", Shading, ShadingLines(1025), true, 1024, {"Too many data"}},
        {"only the header", Shading, ShadingLines(0), false, 0, {noEntry}},
        {"CR line ends in a shading file", Shading, CrOnly(ShadingLines(1024)), false, 0,
         {"Invaild data count format"}},
        {"a 300-character shading header", Shading, std::string(300, 'H') + "\r\n" + ShadingLines(2).substr(22),
         true, 2, {"Line 1 of the file is longer than 126 characters and was skipped."}},
        {"a fourth shading field", Shading, ShadingLines(5) + "1, 2, 3, 4\r\n", false, 5,
         {"Invaild data count format"}},
        // Taken apart, a long line's pieces would land on the next entries and shift all the rest; skipped,
        // its entry is missing and the next line keeps its own.
        {"a long shading line skipped", Shading,
         ShadingLines(2) + "1, 2, 3" + std::string(200, ' ') + "\r\n4003, 5003, 6003\r\n", true, 3,
         {"Line 4 of the file is longer than 126 characters and was skipped: entry 3 is missing."}, 2},
        {"a binary shading file", Shading, binary, false, 0,
         {"4 lines of the file are longer than 126 characters and were skipped, the first at line 2: their "
          "entries are missing, from entry 1.",
          noEntry}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        lut::PlainLutTables tables = FilledTables(7);
        lut::ShadingBuffer buffer = FilledBuffer(7);
        const lut::CsvReadResult read =
            c.kind == Gamma ? lut::ReadGammaText(c.text, tables) : lut::ReadShadingText(c.text, buffer);
        EXPECT_EQ(read.ok, c.ok);
        EXPECT_EQ(read.entries, c.entries);
        EXPECT_EQ(read.messages, c.messages);
        for (LutColour colour : lut::kLutColours) EXPECT_EQ(tables.ShownAsRead(colour), c.kind == Gamma && c.ok);
        // A gamma read keeps what it stored before a bad line; a malformed shading file leaves nothing
        // of itself behind. The entries not given keep their values.
        const int kept = c.kind == Shading && !c.ok ? 0 : c.entries + (c.missing >= 0 ? 1 : 0);
        for (int i = 0; i < lut::kShadingEntries; ++i) {
            const auto e = static_cast<size_t>(i);
            if (c.kind == Shading) {
                const bool given = i < kept && i != c.missing;
                ASSERT_EQ(buffer[0][e], given ? 4000 + i : 7) << "entry " << i;
                ASSERT_EQ(buffer[2][e], given ? 6000 + i : 7) << "entry " << i;
            } else if (i < lut::kLutEntries) {
                ASSERT_EQ(tables.Table(LutColour::Red)[e], i < kept ? i : 7) << "entry " << i;
                ASSERT_EQ(tables.Table(LutColour::Blue)[e], i < kept ? 3 * i : 7) << "entry " << i;
            }
        }
    }
}

TEST(TableFileReadersTest, TakeDigitsOnlyAndLimitValuesBeforeTheyOverflow) {
    lut::PlainLutTables t = FilledTables(7);
    const lut::CsvReadResult read =
        lut::ReadGammaText(GammaLines(0) + "R=1a0, G=+20 ,B 3x\r\n-5,12,4096\r\n5000,99999999999,0\r\n", t);
    EXPECT_TRUE(read.ok);
    // Only the first value above 4095 is reported, with its zero-based data line and as it was read.
    EXPECT_EQ(read.messages, Strings{"Invalid data value: Line(1) : Value(4096)"});
    const std::vector<std::vector<int32_t>> rows = {{10, 20, 3}, {5, 12, 4095}, {4095, 4095, 0}};  // R G B
    for (size_t i = 0; i < rows.size(); ++i)
        for (LutColour c : lut::kLutColours) EXPECT_EQ(t.Table(c)[i], rows[i][static_cast<size_t>(c)]) << i;
    // Digits beyond 32 bits stay at the largest value instead of wrapping round.
    EXPECT_EQ(lut::ReadGammaText(GammaLines(0) + "0,99999999999,0\r\n", t).messages,
              Strings{"Invalid data value: Line(0) : Value(2147483647)"});

    // A shading file has no range; blanks join digits, and missing fields are 0.
    lut::ShadingBuffer b = FilledBuffer(7);
    EXPECT_EQ(lut::ReadShadingText(ShadingLines(0) + "12 34 56\r\n5\r\n5,6\r\n-9000, 99999, x\r\n", b).messages,
              Strings{});
    const std::vector<std::vector<int32_t>> expected = {{123456, 0, 0}, {5, 0, 0}, {5, 6, 0}, {9000, 99999, 0}};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ((std::vector<int32_t>{b[0][i], b[1][i], b[2][i]}), expected[i]) << "shading line " << i;
}

// An entry the camera gives above 4095 is kept as 4095, as one a file gives is.
TEST(TableFileReadersTest, LutEntriesTheCameraGivesAreLimitedToo) {
    test::TestServices services;
    test::MemoryLink link;
    int32_t index = 0;
    link.responder = [&index](const std::string& line) {
        if (line.rfind("LUTIR=", 0) == 0) index = std::stoi(line.substr(6));
        return line == "LUTR?\r\n" ? "LUTR=" + std::to_string(4090 + index) + "\r\n" : std::string("COMPLETE\r\n");
    };
    services.engine.SetLink(&link);
    lut::LutTable table{};
    EXPECT_TRUE(lut::ReadLutFromCamera(services.Get(), LutColour::Red, table));
    services.engine.SetLink(nullptr);
    for (int i = 0; i < lut::kLutEntries; ++i) EXPECT_EQ(table[static_cast<size_t>(i)], std::min(4090 + i, 4095)) << i;
}

TEST(TableFileWritersTest, ProduceExactLines) {
    const lut::PlainLutTables t = Tables();
    EXPECT_EQ(lut::FormatGammaFile(t.Table(LutColour::Red), t.Table(LutColour::Green), t.Table(LutColour::Blue)),
              CsvLines("GammaData (R G B)", lut::kLutEntries, ",", {4095, 0, 1000}, {-1, 2, 1}));
    EXPECT_EQ(lut::FormatShadingFile(Buffer()),
              CsvLines("ShadingData  (G R B)", lut::kShadingEntries, ", ", {3000, 4000, 5000}, {1, 1, 1}));
}

// A good file read through the menu is the Qt test's; what a read leaves in the tables is the readers' test's.
TEST_F(TableFilesTest, OpenLutFileSaysWhyItCouldNotAndSaveLutFileReadsTheCameraFirstAndAsksBeforeReplacing) {
    Start();
    dir.WriteFile("bad.csv", "GammaData (R G B)\r\n7,8,9\r\n\r\n");
    dir.WriteFile("empty.csv", "GammaData (R G B)\r\n");
    // A bad file, one without an entry, a missing one, and a cancelled dialog, which ends without a word.
    Platform().files = {dir / "bad.csv", dir / "empty.csv", dir / "missing.csv"};
    for (int k = 0; k < 4; ++k) Menu(30006);
    EXPECT_EQ(tables.Table(LutColour::Red)[0], 7) << "what came before the bad line stays";
    EXPECT_FALSE(tables.ShownAsRead(LutColour::Red));
    EXPECT_EQ(Boxes(),
              (Strings{kApp + "Invaild line format [error]", kApp + "No entry could be read from the file. [error]",
                       kApp + dir / "missing.csv" + "\nCouldn't open this file [error]"}));
    EXPECT_TRUE(sent.empty());

    // Save reads the camera first and asks before replacing (a new file, without a question, is the Qt test's):
    // No keeps the file, Yes replaces it.
    Platform().boxes.clear();
    lut::LutTable identity{};  // what a fresh camera holds
    for (size_t i = 0; i < identity.size(); ++i) identity[i] = i == 255 ? 4095 : static_cast<int32_t>(16 * i);
    const std::string path = dir / "lut.csv";
    dir.WriteFile("lut.csv", "old");
    Platform().files = {path, path};
    Platform().answers = {platform::MsgResult::No, platform::MsgResult::Yes};
    Menu(30007);
    EXPECT_EQ(sent.size(), 1536u);
    EXPECT_EQ(dir.ReadFile("lut.csv"), "old");
    ASSERT_EQ(Boxes(), Strings{kApp + path + "\nThis file already exists.\nReplace existing file? [question]"});
    EXPECT_EQ(Platform().boxes[0].buttons, platform::MsgButtons::YesNo);
    Menu(30007);
    EXPECT_EQ(dir.ReadFile("lut.csv"), lut::FormatGammaFile(identity, identity, identity));
    EXPECT_EQ(view.statusTexts, Strings{"Saved the red, green and blue LUT tables to " + path});
}

TEST_F(TableFilesTest, SaveLutFileEndsBeforeItsDialogWhenTheReadFails) {
    Start(With([](sim::SimOptions& o) { o.silentAfter = 300; }), Silent());  // in the middle of the red table
    Platform().files = {dir / "lut.csv"};
    Menu(30007);
    EXPECT_EQ(Platform().files.size(), 1u) << "no file dialog";
    EXPECT_EQ(Boxes(), Strings{kApp + "Of 1536 commands, 300 were answered, 1 failed (first at red entry 150: no reply "
                                      "to LUTIR=150 within 500 ms) and 1235 were not attempted. The last entry the "
                                      "camera confirmed is red 149. The read ended there. [warning]"});
    EXPECT_TRUE(tables.ShownAsRead(LutColour::Red));
    EXPECT_FALSE(tables.ShownAsRead(LutColour::Green)) << "the reads stop at the first that fails";
    EXPECT_EQ(tables.Table(LutColour::Red)[149], 16 * 149);
    EXPECT_EQ(tables.Table(LutColour::Red)[150], 0);
}

TEST_F(TableFilesTest, ShadingReadToFileAndShortFileBackToTheCamera) {
    Start();
    Set(protocol::cmd::SDM, 1);
    Platform().files = {dir / "shading.csv"};
    Button(1336);
    EXPECT_EQ(dir.ReadFile("shading.csv"), lut::FormatShadingFile(FilledBuffer(4096)));
    EXPECT_EQ(sent.size(), 1u + 6147u);

    // A file of ten lines: asked first; No sends nothing, Yes every entry, the rest as the camera gave them last.
    dir.WriteFile("short.csv", ShadingLines(10));
    Platform().files = {dir / "short.csv", dir / "short.csv"};
    Platform().answers = {platform::MsgResult::No, platform::MsgResult::Yes};
    sent.clear();
    Button(1337);
    EXPECT_EQ(sent, Strings{"SDM?"});
    const std::string question = kApp +
                                 "The file holds 10 of 1024 entries; the others will be written as 0 (or as "
                                 "the last shading data read from the camera). Continue? [question]";
    EXPECT_EQ(Boxes(), Strings{question});
    Button(1337);
    EXPECT_EQ(sent.size(), 2u + 6148u);
    EXPECT_EQ(sent.back(), "SDDU=0");
    server->Inspect([](const sim::VirtualCamera& camera) {
        EXPECT_EQ(camera.ShadingEntry(0, 0, 9), 4009);
        EXPECT_EQ(camera.ShadingEntry(0, 2, 9), 6009);
        EXPECT_EQ(camera.ShadingEntry(0, 0, 10), 4096);
    });
    EXPECT_EQ(Boxes(), (Strings{question, question}));
}

TEST_F(TableFilesTest, ShadingFromFileNeedsTheModeAndAWellFormedFile) {
    Start();
    dir.WriteFile("long.csv", ShadingLines(1025));
    dir.WriteFile("bad.csv", ShadingLines(5) + "1, 2, 3, 4\r\n");
    Platform().files = {dir / "long.csv", dir / "bad.csv"};
    // Shading mode off: both buttons end with a box, before any file dialog.
    Button(1336);
    Button(1337);
    EXPECT_EQ(Boxes(), (Strings{kApp + "Shading Mode is OFF [error]", kApp + "Shading Mode is OFF [error]"}));
    EXPECT_EQ(sent, (Strings{"SDM?", "SDM?"}));
    EXPECT_EQ(Platform().files.size(), 2u) << "no file dialog";

    // A file too long is cut to its first 1024 entries and sent; a malformed one sends nothing.
    Set(protocol::cmd::SDM, 3);
    Platform().boxes.clear();
    Button(1337);
    EXPECT_EQ(Boxes(), Strings{kApp + "Too many data [error]"});
    EXPECT_EQ(sent.size(), 1u + 6148u);
    server->Inspect([](const sim::VirtualCamera& camera) { EXPECT_EQ(camera.ShadingEntry(2, 0, 1023), 5023); });
    sent.clear();
    Button(1337);
    EXPECT_EQ(Boxes(), (Strings{kApp + "Too many data [error]", kApp + "Invaild data count format [error]"}));
    EXPECT_EQ(sent, Strings{"SDM?"});
}

TEST_F(TransferPtyTest, TablesGoOutAndComeBackInWireOrder) {
    StartCamera();
    // A transfer complete, with its total, exactly its lines and its last progress text.
    const auto expectDone = [&](const lut::TransferReport& report, int total, const Strings& lines,
                                const std::string& progress) {
        EXPECT_TRUE(report.Complete()) << lut::DescribeFailures(report);
        EXPECT_EQ(report.total, total);
        EXPECT_EQ(sent, lines);
        EXPECT_EQ(LastProgressText(Platform()), progress);
        sent.clear();
    };
    lut::PlainLutTables tables = Tables();
    lut::PlainLutTables lutBack;
    expectDone(lut::WriteAllLuts(services->Get(), tables), 1536, LutWire(&tables),
               "Now, writing camera gamma data.  (256 / 256)");
    expectDone(lut::ReadAllLuts(services->Get(), lutBack), 1536, LutWire(nullptr),
               "Now, reading camera gamma data    (256 / 256)");
    for (LutColour c : lut::kLutColours) {
        EXPECT_EQ(lutBack.Table(c), tables.Table(c));
        EXPECT_TRUE(lutBack.ShownAsRead(c));
    }

    Set(protocol::cmd::SDM, 2);
    const lut::ShadingBuffer buffer = Buffer();
    expectDone(lut::WriteShadingToCamera(services->Get(), buffer), 6148, ShadingWire(&buffer),
               "Now, writing camera shading data  (3072 / 3072)");
    // "SDDU" applied the data to the table of the selected slot.
    server->Inspect([&](const sim::VirtualCamera& camera) {
        for (int p = 0; p < lut::kShadingPlanes; ++p)
            for (int i = 0; i < lut::kShadingEntries; ++i)
                ASSERT_EQ(camera.ShadingEntry(1, p, i), buffer[static_cast<size_t>(p)][static_cast<size_t>(i)]);
    });
    lut::ShadingBuffer back{};
    expectDone(lut::ReadShadingFromCamera(services->Get(), back), 6147, ShadingWire(nullptr),
               "Now, reading camera shading data  (3072 / 3072)");
    EXPECT_EQ(back, buffer);
    EXPECT_TRUE(services->platform.boxes.empty());
    EXPECT_FALSE(services->dialogs.Disabled());
}

TEST_F(TransferPtyTest, CameraThatGoesSilentEndsTheTransferAfterTenFailures) {
    lut::PlainLutTables tables = Tables();
    lut::ShadingBuffer buffer = Buffer();
    // A LUT read ends at its first failure: the table files' test sees that.
    const struct {
        const char* name;
        int answered;  // lines the camera answers before it goes silent
        std::function<lut::TransferReport()> run;
        int sent;  // the lines sent: a shading write that sent "SDDU" after all would show one more
        int failed;
        std::string description;
    } cases[] = {
        // Answered up to the index of red entry 50: its data and the indexes of 51 to 59 time out; the data of
        // 51 to 58 is not attempted, since it would land on the entry selected before.
        {"a LUT write", 101, [&] { return lut::WriteAllLuts(services->Get(), tables, Silent()); }, 111, 10,
         "Of 1536 commands, 101 were answered, 10 failed (first at red entry 50: no reply to LUTR=4045 within 500 ms) "
         "and 1425 were not attempted. The last entry the camera confirmed is red 49. The camera stopped answering: "
         "the transfer was ended after 10 failures in a row."},
        // Plane G, the selection of plane R and its entries 1 to 50 are answered.
        {"a shading write", 2049 + 1 + 100,
         [&] { return lut::WriteShadingToCamera(services->Get(), buffer, Silent()); }, 2160, 10,
         "Of 6148 commands, 2150 were answered, 10 failed (first at R entry 51: no reply to SDDI=51 within 500 ms) and "
         "3988 were not attempted. The last entry the camera confirmed is R 50. The camera stopped answering: the "
         "transfer was ended after 10 failures in a row. \"SDDU\" was not sent."},
        {"a shading read", 2049 + 1 + 100,
         [&] { return lut::ReadShadingFromCamera(services->Get(), buffer, Silent()); }, 2160, 10,
         "Of 6147 commands, 2150 were answered, 10 failed (first at R entry 51: no reply to SDDI=51 within 500 ms) and "
         "3987 were not attempted. The last entry the camera confirmed is R 50. The camera stopped answering: the "
         "transfer was ended after 10 failures in a row."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartCamera(With([&](sim::SimOptions& o) { o.silentAfter = c.answered; }));
        const lut::TransferReport report = c.run();
        EXPECT_EQ(report.sent, c.sent);
        EXPECT_EQ(report.failed, c.failed);
        EXPECT_EQ(lut::DescribeFailures(report), c.description);
        EXPECT_EQ(static_cast<int>(sent.size()), c.sent);
        EXPECT_FALSE(services->dialogs.Disabled());
    }
}

TEST_F(TransferPtyTest, OperatorStopsBetweenEntriesAndIsToldWhatWasSent) {
    StartCamera();
    Set(protocol::cmd::SDM, 1);
    // The first look at the Cancel button (after the first paint interval) finds it pressed.
    services->platform.stopAfterPolls = 0;
    const lut::TransferReport report = lut::WriteShadingToCamera(services->Get(), Buffer());
    ASSERT_TRUE(report.stopped);
    ASSERT_GE(sent.size(), 3u);
    // Never half an entry: the last line is a value, and "SDDU" was not sent.
    ASSERT_EQ(sent.back().rfind("SDD=", 0), 0u) << sent.back();
    const std::string lastIndex = sent[sent.size() - 2];
    ASSERT_EQ(lastIndex.rfind("SDDI=", 0), 0u) << lastIndex;
    const int entries = std::stoi(lastIndex.substr(5));
    EXPECT_EQ(lut::DescribeFailures(report),
              "Of 6148 commands, " + std::to_string(1 + 2 * entries) + " were answered and " +
                  std::to_string(6148 - 1 - 2 * entries) + " were not attempted. The last entry the camera confirmed " +
                  "is G " + std::to_string(entries) + ". Stopped by the operator. \"SDDU\" was not sent.");
    EXPECT_EQ(report.failed, 0);
    EXPECT_FALSE(services->dialogs.Disabled());
}
