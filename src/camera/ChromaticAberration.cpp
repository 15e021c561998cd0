#include "camera/ChromaticAberration.h"

#include "camera/CameraSession.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ControlIds.h"
#include "protocol/ParameterTable.h"

namespace vr::camera {
namespace {

constexpr protocol::milliseconds kTimeout(3000);
constexpr protocol::milliseconds kModeQueryTimeout(5000);
constexpr int32_t kColourCount = 2;
constexpr int32_t kPointCount = 9;

// First command of each family; a family is indexed by lens + 4 x colour.
constexpr int32_t kSyncModeFirst = 145;  // "CACSM0"
constexpr int32_t kValueFirst = 149, kRightValueFirst = 157;
constexpr int32_t kMethodFirst = 165;  // "CACMT0"
constexpr int32_t kRatioFirst = 169, kRightRatioFirst = 240;
constexpr int32_t kCoefficientFirst = 305, kRightCoefficientFirst = 313;

std::optional<int32_t> Query(CameraSession& session, int32_t cmd, protocol::milliseconds timeout) {
    if (cmd < 0 || !session.HasCommand(static_cast<uint32_t>(cmd))) return std::nullopt;
    int32_t value = 0;
    if (session.Services().engine.QueryInt(static_cast<uint32_t>(cmd), value, timeout) != 1) return std::nullopt;
    return value;
}

// The editor's value: "CACM" asked again, since the editors address the lens the camera has now.
std::optional<int32_t> QueryEditor(CameraSession& session, ChromaticEditor editor) {
    int32_t lens = 0;
    if (session.Services().engine.QueryInt(static_cast<uint32_t>(ChromaticModeCommand()), lens, kTimeout) != 1)
        return std::nullopt;
    // Any other answer would address commands outside the family.
    if (!IsChromaticLens(lens)) return std::nullopt;
    return Query(session, ChromaticCommand(editor, lens, ChromaticSelection()), kTimeout);
}

}  // namespace

bool IsChromaticLens(int32_t lens) {
    return lens >= 0 && lens < kChromaticLensCount;
}

int32_t ChromaticModeCommand() {
    static const int32_t cmd = protocol::FindCommand("CACM");
    return cmd;
}

int32_t ChromaticSyncModeCommand(int32_t lens) {
    return kSyncModeFirst + lens;
}

int32_t ChromaticMethodCommand(int32_t lens) {
    return kMethodFirst + lens;
}

int32_t ChromaticCommand(ChromaticEditor editor, int32_t lens, const ChromaticSelection& selection) {
    const int c = selection.colour;
    const int k = selection.point;
    const int side = selection.side;
    if (!IsChromaticLens(lens) || c < 0 || c >= kColourCount || k < 0 || k >= kPointCount ||
        side < kChromaticSideBoth || side > kChromaticSideRight)
        return -1;
    const int32_t family = lens + kChromaticLensCount * c;
    const bool right = side == kChromaticSideRight;
    switch (editor) {
        case ChromaticEditor::Ratio:
            // The right side has no point 0: its ratios run from point 1.
            if (right) return k == 0 ? -1 : kRightRatioFirst + 8 * family + k;
            return kRatioFirst + kPointCount * family + k;
        case ChromaticEditor::Value:
            return (right ? kRightValueFirst : kValueFirst) + family;
        case ChromaticEditor::Coefficient:
            return (right ? kRightCoefficientFirst : kCoefficientFirst) + family;
    }
    return -1;
}

ChromaticRead ReadChromaticAberration(CameraSession& session) {
    ChromaticRead read;
    if (session.Services().engine.QueryInt(static_cast<uint32_t>(ChromaticModeCommand()), read.lens,
                                           kModeQueryTimeout) != 1)
        return read;
    read.answered = true;
    read.modeRead = session.RefreshValue(protocol::id::kCaMode);
    // The mode row is never read with the others; what the camera has is what is committed.
    session.Services().table.CommitDataValues();
    if (!IsChromaticLens(read.lens)) return read;
    read.syncMode = Query(session, ChromaticSyncModeCommand(read.lens), kTimeout);
    read.method = Query(session, ChromaticMethodCommand(read.lens), kTimeout);
    read.ratio = QueryEditor(session, ChromaticEditor::Ratio);
    read.value = QueryEditor(session, ChromaticEditor::Value);
    read.coefficient = QueryEditor(session, ChromaticEditor::Coefficient);
    return read;
}

}  // namespace vr::camera
