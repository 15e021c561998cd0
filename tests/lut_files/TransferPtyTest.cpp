// The LUT and shading transfers against the virtual camera over a pseudo-terminal: the exact lines
// on the wire, what arrives in the camera, and how a camera that goes silent and an operator who stops
// are reported. Refused entries are counted and reported once: the LUT editor's pty test and the
// command-line shading write see that.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CameraOnPty.h"
#include "lut/LutTransfer.h"
#include "lut/PlainLutTables.h"
#include "lut/ShadingTransfer.h"
#include "protocol/CommandIds.h"

using namespace vr;
using lut::LutColour;
using Strings = std::vector<std::string>;

namespace {

class TransferPtyTest : public test::CameraOnPty {
protected:
    static lut::PlainLutTables Tables() {
        lut::PlainLutTables tables;
        for (int i = 0; i < lut::kLutEntries; ++i) {
            const auto e = static_cast<size_t>(i);
            tables.Table(LutColour::Red)[e] = 4095 - i;
            tables.Table(LutColour::Green)[e] = 2 * i;
            tables.Table(LutColour::Blue)[e] = 1000 + i;
        }
        return tables;
    }
    static lut::ShadingBuffer Buffer() {
        lut::ShadingBuffer buffer{};
        for (size_t p = 0; p < lut::kShadingPlanes; ++p)
            for (size_t i = 0; i < lut::kShadingEntries; ++i) buffer[p][i] = static_cast<int32_t>(3000 + 1000 * p + i);
        return buffer;
    }
    // The lines a LUT transfer sends for all three tables: index then data (a value or a query).
    static Strings LutLines(const lut::PlainLutTables* values) {
        Strings lines;
        const char* names[] = {"R", "G", "B"};
        for (LutColour c : lut::kLutColours)
            for (int i = 0; i < lut::kLutEntries; ++i) {
                const std::string name = names[static_cast<int>(c)];
                lines.push_back("LUTI" + name + "=" + std::to_string(i));
                lines.push_back("LUT" + name +
                                (values ? "=" + std::to_string(values->Table(c)[static_cast<size_t>(i)]) : "?"));
            }
        return lines;
    }
    static Strings ShadingLines(const lut::ShadingBuffer* values) {
        Strings lines;
        for (int p = 0; p < lut::kShadingPlanes; ++p) {
            lines.push_back("SDDS=" + std::to_string(p));
            for (int i = 1; i <= lut::kShadingEntries; ++i) {
                lines.push_back("SDDI=" + std::to_string(i));
                lines.push_back(
                    values ? "SDD=" + std::to_string((*values)[static_cast<size_t>(p)][static_cast<size_t>(i - 1)])
                           : "SDD?");
            }
        }
        if (values) lines.push_back("SDDU=0");
        return lines;
    }
    std::string LastProgressText() const {
        for (auto it = services->platform.progress.rbegin(); it != services->platform.progress.rend(); ++it)
            if (it->rfind("text:", 0) == 0) return it->substr(5);
        return {};
    }
};

}  // namespace

TEST_F(TransferPtyTest, TablesGoOutAndComeBackInWireOrder) {
    StartCamera();
    lut::PlainLutTables tables = Tables();
    const lut::TransferReport lutWritten = lut::WriteAllLuts(services->Get(), tables);
    EXPECT_TRUE(lutWritten.Complete()) << lut::DescribeFailures(lutWritten);
    EXPECT_EQ(lutWritten.total, 1536);
    EXPECT_EQ(sent, LutLines(&tables));
    EXPECT_EQ(LastProgressText(), "Now, writing camera gamma data.  (256 / 256)");
    sent.clear();
    lut::PlainLutTables lutBack;
    const lut::TransferReport lutRead = lut::ReadAllLuts(services->Get(), lutBack);
    EXPECT_TRUE(lutRead.Complete()) << lut::DescribeFailures(lutRead);
    EXPECT_EQ(sent, LutLines(nullptr));
    for (LutColour c : lut::kLutColours) {
        EXPECT_EQ(lutBack.Table(c), tables.Table(c));
        EXPECT_TRUE(lutBack.ShownAsRead(c));
    }
    EXPECT_EQ(LastProgressText(), "Now, reading camera gamma data    (256 / 256)");

    sent.clear();
    Set(protocol::cmd::SDM, 2);
    const lut::ShadingBuffer buffer = Buffer();
    const lut::TransferReport written = lut::WriteShadingToCamera(services->Get(), buffer);
    EXPECT_TRUE(written.Complete()) << lut::DescribeFailures(written);
    EXPECT_EQ(written.total, 6148);
    EXPECT_EQ(sent, ShadingLines(&buffer));
    // "SDDU" applied the data to the table of the selected slot.
    server->Inspect([&](const sim::VirtualCamera& camera) {
        for (int p = 0; p < lut::kShadingPlanes; ++p)
            for (int i = 0; i < lut::kShadingEntries; ++i)
                ASSERT_EQ(camera.ShadingEntry(1, p, i), buffer[static_cast<size_t>(p)][static_cast<size_t>(i)]);
    });
    EXPECT_EQ(LastProgressText(), "Now, writing camera shading data  (3072 / 3072)");
    sent.clear();
    lut::ShadingBuffer back{};
    const lut::TransferReport read = lut::ReadShadingFromCamera(services->Get(), back);
    EXPECT_TRUE(read.Complete()) << lut::DescribeFailures(read);
    EXPECT_EQ(read.total, 6147);
    EXPECT_EQ(sent, ShadingLines(nullptr));
    EXPECT_EQ(back, buffer);
    EXPECT_EQ(LastProgressText(), "Now, reading camera shading data  (3072 / 3072)");
    EXPECT_TRUE(services->platform.boxes.empty());
    EXPECT_FALSE(services->dialogs.Disabled());
}

TEST_F(TransferPtyTest, CameraThatGoesSilentEndsTheTransferAfterTenFailures) {
    lut::PlainLutTables tables = Tables();
    lut::ShadingBuffer buffer = Buffer();
    struct Case {
        const char* name;
        int answered;  // lines the camera answers before it goes silent
        std::function<lut::TransferReport()> run;
        int sent;  // the lines sent: a shading write that sent "SDDU" after all would show one more
        int failed;
        std::string description;
    };
    // A LUT read ends at its first failure: the table files' test sees that.
    const Case cases[] = {
        // Answered up to the index of red entry 50: its data and the indexes of 51 to 59 time out,
        // and the data of 51 to 58 is left out, since it would land on the entry selected before.
        {"a LUT write", 101, [&] { return lut::WriteAllLuts(services->Get(), tables, Short()); }, 111, 18,
         "18 of 1536 commands failed (first at red entry 50: no reply to LUTR=4045 within 150 ms). The camera stopped "
         "answering: the transfer was ended after 10 failures in a row. Entries sent: red 0 to 59."},
        // Plane G, the selection of plane R and its entries 1 to 50 are answered.
        {"a shading write", 2049 + 1 + 100, [&] { return lut::WriteShadingToCamera(services->Get(), buffer, Short()); },
         2160, 19,
         "19 of 6148 commands failed (first at R entry 51: no reply to SDDI=51 within 150 ms). The camera stopped "
         "answering: the transfer was ended after 10 failures in a row. Entries sent: G 1 to 1024, R 1 to 60. "
         "\"SDDU\" was not sent."},
        {"a shading read", 2049 + 1 + 100, [&] { return lut::ReadShadingFromCamera(services->Get(), buffer, Short()); },
         2160, 19,
         "19 of 6147 commands failed (first at R entry 51: no reply to SDDI=51 within 150 ms). The camera stopped "
         "answering: the transfer was ended after 10 failures in a row. Entries queried: G 1 to 1024, R 1 to 60."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartCamera(test::With([&](sim::SimOptions& o) { o.silentAfter = c.answered; }));
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
    const std::string last = sent.back();
    ASSERT_EQ(last.rfind("SDD=", 0), 0u) << last;
    const std::string lastIndex = sent[sent.size() - 2];
    ASSERT_EQ(lastIndex.rfind("SDDI=", 0), 0u) << lastIndex;
    EXPECT_EQ(lut::DescribeFailures(report),
              "Stopped by the operator. Entries sent: G 1 to " + lastIndex.substr(5) + ". \"SDDU\" was not sent.");
    EXPECT_EQ(report.failed, 0);
    EXPECT_FALSE(services->dialogs.Disabled());
}
