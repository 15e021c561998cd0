// What the virtual camera answers to single lines: identity, the per-model command sets, line
// syntax, the range of every parameter and the codes of the drop-down parameters.

#include <gtest/gtest.h>

#include <climits>

#include "CameraFixture.h"
#include "protocol/ComboItems.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "sim/CameraKind.h"
#include "sim/ComboValues.h"

using namespace vr::sim;
using namespace vr::sim::test;
using vr::protocol::ControlKind;
using vr::protocol::GetCommandName;
using vr::protocol::ParameterDefs;

namespace {

// Parameters whose limits depend on other settings; their own tests cover them.
bool HasLinkedLimits(const std::string& name) {
    for (const char* n : {"LR", "PE", "PER", "PEG", "PEB", "WTC", "OFC", "AWBW", "AWBO", "AGCFV", "AGCFV8"})
        if (name == n) return true;
    return false;
}

}  // namespace

TEST(VirtualCameraProtocol, IdentityTextsAnswerPerModel) {
    for (const std::string model : {"KA", "KB"}) {
        CameraFixture cam(Model(model.c_str()));
        // clang-format off
        cam.Talk({{"MD?", "MD=VR-8200-" + model}, {"VN?", "VN=3.1.0.2"}, {"FPVN?", "FPVN=1.0.4.0"},
                  {"ID?", "ID=2400012345"}, {"UD?", "UD="}, {"DV?", "DV=1.0.0.0"}, {"DVN?", "DVN=VR-8200"},
                  {"XMLVR?", "XMLVR=100"}, {"EA?", "EA=0"}});
        // clang-format on
    }
}

TEST(VirtualCameraProtocol, EachModelLacksExactlyItsListedCommands) {
    const char* onlyKa[] = {"EI",  "ETM",   "PER",   "PEG",   "PEB",  "SCB",    "SGG",  "SGR", "SGB",
                            "STP", "SPISR", "SPISB", "GAORA", "OBBB", "GAOGBJ", "SCBN", "NRL", "CACGJ"};
    const char* onlyKb[] = {"LROP", "EAS", "SGA", "ODM", "ODS", "SPCM", "SPCD16", "SPCG16", "GAOR", "OBB", "GAOGJ"};
    CameraFixture ka(Model("KA")), kb(Model("KB"));
    for (const char* name : onlyKa) {
        EXPECT_EQ(kb.Ask(std::string(name) + "?"), kErrorNotSupported) << name;
        EXPECT_EQ(kb.Ask(std::string(name) + "=0"), kErrorNotSupported) << name;
        EXPECT_NE(ka.Ask(std::string(name) + "?"), kErrorNotSupported) << name;
        EXPECT_FALSE(kb.Camera().QueryValue(name).has_value()) << name;
    }
    for (const char* name : onlyKb) {
        EXPECT_EQ(ka.Ask(std::string(name) + "?"), kErrorNotSupported) << name;
        EXPECT_NE(kb.Ask(std::string(name) + "?"), kErrorNotSupported) << name;
    }
    // The neighbours of the listed ranges belong to both.
    for (const char* name : {"CACM", "PGL0", "BAS00", "WB0R", "SDR00"}) {
        const auto cmdId = static_cast<uint32_t>(vr::protocol::FindCommand(name));
        EXPECT_TRUE(IsCommandOnModel(cmdId, CameraKind::KA)) << name;
        EXPECT_TRUE(IsCommandOnModel(cmdId, CameraKind::KB)) << name;
    }
}

TEST(VirtualCameraProtocol, LinesThatAreNotCommandsGetTheirErrorText) {
    CameraFixture cam;
    // clang-format off
    cam.Talk({{"GA", kErrorSyntax}, {"GA=", kErrorSyntax}, {"GA=4x0", kErrorSyntax}, {"GA?1", kErrorSyntax},
              {"ZZ?", kErrorUnknownCommand}, {"=5", kErrorUnknownCommand}, {"?", kErrorUnknownCommand},
              {"GA=99999999999", kErrorOutOfRange}, {"VN=1.0", kErrorReadOnly}, {"LRMIN=10", kErrorReadOnly},
              {"EA=1", kErrorReadOnly}, {"SA?", kErrorWriteOnly}, {"CACS?", kErrorWriteOnly}, {"CR0?", kErrorWriteOnly},
              {"", ""}, {" ", ""}});
    // clang-format on
    // Names in any case, spaces around the parts, decimal or "&H" hexadecimal.
    // clang-format off
    cam.Talk({{"ga = 400", kReplyComplete}, {" GA ? ", "GA=400"}, {"GA=&H1F4", kReplyComplete}, {"GA?", "GA=500"},
              {"GA=+0200", kReplyComplete}, {"GA?", "GA=200"}});
    // clang-format on
}

TEST(VirtualCameraProtocol, EverySpinParameterTakesExactlyItsTableRange) {
    for (const char* model : {"KA", "KB"}) {
        CameraFixture cam(Model(model));
        const auto* defs = ParameterDefs();
        for (size_t row = 0; row < vr::protocol::kParameterRowCount; ++row) {
            const auto& d = defs[row];
            if (d.controlKind != ControlKind::SpinEdit || d.cmdId == 322) continue;
            const std::string name = GetCommandName(d.cmdId);
            if (HasLinkedLimits(name) || cam.Ask(name + "?") == kErrorNotSupported) continue;
            SCOPED_TRACE(std::string(model) + " " + name);
            int32_t hi = d.maxValue;
            if (name.rfind("LUTI", 0) == 0) {
                EXPECT_EQ(d.maxValue, 256);
                hi = 255;  // the tables end at entry 255
            }
            for (int32_t v : {d.minValue, hi}) {
                EXPECT_EQ(cam.Ask(name + "=" + std::to_string(v)), kReplyComplete) << v;
                EXPECT_EQ(cam.GetInt(name), v);
            }
            if (d.minValue > INT32_MIN) {
                EXPECT_EQ(cam.Ask(name + "=" + std::to_string(int64_t{d.minValue} - 1)), kErrorOutOfRange);
            }
            if (hi < INT32_MAX) {
                EXPECT_EQ(cam.Ask(name + "=" + std::to_string(int64_t{hi} + 1)), kErrorOutOfRange);
            }
        }
    }
}

TEST(VirtualCameraProtocol, DropDownParametersTakeTheirCodesOnly) {
    for (const char* model : {"KA", "KB"}) {
        CameraFixture cam(Model(model));
        const auto kind = *KindFromOption(model);
        const auto* defs = ParameterDefs();
        for (size_t row = 0; row < vr::protocol::kParameterRowCount; ++row) {
            const auto& d = defs[row];
            if (d.controlKind != ControlKind::Combo || d.cmdId == 322) continue;
            const std::string name = GetCommandName(d.cmdId);
            if (name == "CBDRT" || name == "AWB" || name == "AGC" || cam.Ask(name + "?") == kErrorNotSupported)
                continue;  // the rate and the one-push modes have tests of their own
            SCOPED_TRACE(std::string(model) + " " + name);
            const auto values = ComboValues(d.ctrlId, kind);
            ASSERT_FALSE(values.empty());
            for (int32_t v : values) {
                EXPECT_EQ(cam.Ask(name + "=" + std::to_string(v)), kReplyComplete) << v;
                EXPECT_EQ(cam.GetInt(name), v);
            }
            EXPECT_EQ(cam.Ask(name + "=-1"), kErrorOutOfRange);
            EXPECT_EQ(cam.Ask(name + "=" + std::to_string(values.back() + 1)), kErrorOutOfRange);
        }
    }
    CameraFixture ka(Model("KA")), kb(Model("KB"));
    const struct {
        const char* line;
        const char* kaReply;
        const char* kbReply;
    } cases[] = {
        {"LS0=30", kReplyComplete, kReplyComplete},  // "EncoderDirection" is code 30, not index 20
        {"LS0=2", kErrorOutOfRange, kErrorOutOfRange},
        {"TI=30", kErrorOutOfRange, kErrorOutOfRange},     // the trigger source has no encoder direction
        {"PGIN0=10", kErrorOutOfRange, kErrorOutOfRange},  // a generator cannot trigger itself
        {"PGIN1=10", kReplyComplete, kReplyComplete},
        {"PGCM2=8", kReplyComplete, kReplyComplete},
        {"PGCM2=3", kErrorOutOfRange, kErrorOutOfRange},
        {"CLCFG=4", kReplyComplete, kReplyComplete},
        {"CLCFG=3", kErrorOutOfRange, kErrorOutOfRange},
        {"CE2=2", kReplyComplete, kReplyComplete},
        {"CE2=1", kErrorOutOfRange, kErrorOutOfRange},
        {"CLCF=3", kErrorOutOfRange, kReplyComplete},  // 31.875 MHz only on the KB
        {"AWB=1", kErrorOutOfRange, kErrorOutOfRange},
        {"AWB=3", kErrorOutOfRange, kErrorOutOfRange},
        {"AWB=7", kReplyComplete, kReplyComplete},
        {"AGC=1", kErrorOutOfRange, kErrorOutOfRange},
        {"BA=2", kReplyComplete, kReplyComplete},
        {"BA=3", kErrorOutOfRange, kErrorOutOfRange},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ka.Ask(c.line), c.kaReply) << "KA " << c.line;
        EXPECT_EQ(kb.Ask(c.line), c.kbReply) << "KB " << c.line;
    }
}

TEST(VirtualCameraProtocol, EveryFactoryValueIsOneTheCameraTakes) {
    // A factory value outside the camera's own limits would make a settings file saved from a fresh
    // camera fail to load back.
    for (const char* model : {"KA", "KB"}) {
        CameraFixture cam(Model(model));
        const auto* defs = ParameterDefs();
        for (size_t row = 0; row < vr::protocol::kParameterRowCount; ++row) {
            const auto& d = defs[row];
            if (d.controlKind == ControlKind::Button || d.cmdId == 322) continue;
            const std::string name = GetCommandName(d.cmdId);
            const std::string reply = cam.Ask(name + "?");
            if (reply == kErrorNotSupported) continue;
            ASSERT_EQ(reply.rfind(name + "=", 0), 0u) << model << " " << reply;
            if (name == "AWB" || name == "AGC") continue;  // Off: re-sending it is covered above
            EXPECT_EQ(cam.Ask(name + "=" + reply.substr(name.size() + 1)), kReplyComplete) << model << " " << reply;
        }
    }
}

TEST(VirtualCameraProtocol, RefusedEchoedAndOverlongAnswersFollowTheirSwitches) {
    SimOptions o;
    o.refuse = {"GA", "wtc"};
    o.overlong = true;
    CameraFixture cam(o);
    const std::string first = cam.Ask("MD?");
    EXPECT_EQ(first.size(), static_cast<size_t>(kOverlongReplyBytes));
    EXPECT_EQ(first.rfind("MD=VR-8200-KA,", 0), 0u) << "the value stays readable before the comma";
    // clang-format off
    cam.Talk({{"MD?", "MD=VR-8200-KA"}, {"GA=200", kErrorRefused}, {"WTC=1024", kErrorRefused}, {"GA?", "GA=100"},
              {"GAR=200", kReplyComplete}, {"EB=1", kReplyComplete}, {"GAR?", "GAR?|GAR=200"},
              {"EB=0", "EB=0|COMPLETE"}, {"GAR?", "GAR=200"}});
    // clang-format on
}
