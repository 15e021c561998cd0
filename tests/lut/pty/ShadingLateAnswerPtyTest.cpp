// A shading write over a pty whose camera answers one entry's data late: the late answer is never
// taken for the next entry's selection, so no value lands on the entry before its own.

#include <gtest/gtest.h>

#include "CameraOnPty.h"
#include "lut/ShadingBuffer.h"
#include "lut/ShadingTransfer.h"
#include "protocol/CommandIds.h"
#include "sim/VirtualCamera.h"

using namespace vr;

namespace {

using ShadingLateAnswerPtyTest = test::CameraOnPty;

// Line 1 turns shading slot 1 on, line 2 selects plane G; then SDDI=k is line 1 + 2k and its data
// line 2 + 2k. Entry 10's data (line 22) answers after its time-out, and selecting entry 11 is refused.
TEST_F(ShadingLateAnswerPtyTest, ALateDataAnswerNeverSelectsTheNextEntry) {
    StartCamera(test::With([](sim::SimOptions& o) {
        o.lateReplyLine = 22;
        o.lateReplyMs = 1500;
        o.refuse = {"SDDI=11"};
    }));
    Set(protocol::cmd::SDM, 1);
    lut::ShadingBuffer buffer{};
    for (auto& plane : buffer)
        for (size_t i = 0; i < plane.size(); ++i) plane[i] = static_cast<int32_t>(2000 + i);
    // A second's time-out: the late answer comes half a second after it, half a second before the
    // model query that follows it would give up.
    const std::chrono::milliseconds second(1000);
    const lut::TransferReport report = lut::WriteShadingToCamera(services->Get(), buffer, {second, second, second});
    EXPECT_FALSE(report.Complete());
    server->Inspect([](const sim::VirtualCamera& c) {
        EXPECT_EQ(c.ShadingEntry(0, 0, 9), 2009) << "entry 10 holds its own value";
        EXPECT_EQ(c.ShadingEntry(0, 0, 10), 4096) << "entry 11, its selection refused, is untouched";
        EXPECT_EQ(c.ShadingEntry(0, 0, 11), 2011);
        EXPECT_EQ(c.ShadingEntry(0, 2, 1023), 3023);
    });
}

}  // namespace
