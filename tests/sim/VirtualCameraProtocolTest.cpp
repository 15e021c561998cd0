// What the virtual camera answers to single lines: identity, the per-model command sets, line
// syntax, the range of every parameter and the codes of the drop-down parameters.

#include <gtest/gtest.h>

#include <climits>

#include "CameraFixture.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "sim/CameraKind.h"
#include "sim/ComboValues.h"

using namespace vr::sim;
using namespace vr::sim::test;
using vr::protocol::ControlKind;
using vr::protocol::ParameterDef;

namespace {

// Calls check for each row of the parameter table whose command the model has, on one fresh
// camera per model.
void ForEachParameter(const std::function<void(CameraFixture&, const ParameterDef&, const std::string&)>& check) {
    for (const char* model : {"KA", "KB"}) {
        CameraFixture cam(Model(model));
        for (size_t row = 0; row < vr::protocol::kParameterRowCount; ++row) {
            const ParameterDef& d = vr::protocol::ParameterDefs()[row];
            const std::string name = vr::protocol::GetCommandName(d.cmdId);
            if (d.cmdId == vr::protocol::cmd::Unnamed || cam.Ask(name + "?") == kErrorNotSupported) continue;
            SCOPED_TRACE(std::string(model) + " " + name);
            check(cam, d, name);
        }
    }
}

// Sets each value, reads it back, and expects the neighbours outside to be refused.
void ExpectTakesExactly(CameraFixture& cam, const std::string& name, const std::vector<int32_t>& values, int64_t below,
                        int64_t above) {
    for (int32_t v : values) {
        EXPECT_EQ(cam.Ask(name + "=" + std::to_string(v)), kReplyComplete) << v;
        EXPECT_EQ(cam.GetInt(name), v);
    }
    for (int64_t outside : {below, above}) {
        if (outside < INT32_MIN || outside > INT32_MAX) continue;
        EXPECT_EQ(cam.Ask(name + "=" + std::to_string(outside)), kErrorOutOfRange) << outside;
    }
}

}  // namespace

TEST(VirtualCameraProtocol, IdentityTextsAnswerPerModel) {
    for (const std::string model : {"KA", "KB"}) {
        CameraFixture(Model(model.c_str()))
            .Talk("MD? > MD=VR-8200-" + model +
                  "; VN? > VN=3.1.0.2; FPVN? > FPVN=1.0.4.0; ID? > ID=2400012345; UD? > UD=; DV? > DV=1.0.0.0;"
                  "DVN? > DVN=VR-8200; XMLVR? > XMLVR=100; EA? > EA=0");
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
    cam.Talk(
        "GA > ERROR: Syntax error; GA= > ERROR: Syntax error; GA=4x0 > ERROR: Syntax error;"
        "GA?1 > ERROR: Syntax error; ZZ? > ERROR: Unknown command; =5 > ERROR: Unknown command;"
        "? > ERROR: Unknown command; GA=99999999999 > Range; VN=1.0 > ERROR: Read only; LRMIN=10 > ERROR: Read only;"
        "EA=1 > ERROR: Read only; SA? > ERROR: Write only; CACS? > ERROR: Write only; CR0? > ERROR: Write only");
    // Empty lines get no answer; names in any case, spaces around the parts, decimal or "&H" hexadecimal.
    for (const auto& [line, reply] :
         {std::pair<std::string, std::string>{"", ""}, {" ", ""}, {"ga = 400", kReplyComplete}, {" GA ? ", "GA=400"}})
        cam.Step(line, reply);
    cam.Talk("GA=&H1F4 > C; GA? > GA=500; GA=+0200 > C; GA? > GA=200");
}

TEST(VirtualCameraProtocol, EverySpinParameterTakesExactlyItsTableRange) {
    ForEachParameter([](CameraFixture& cam, const ParameterDef& d, const std::string& name) {
        // Limits that depend on other settings have tests of their own.
        for (const char* linked : {"LR", "PE", "PER", "PEG", "PEB", "WTC", "OFC", "AWBW", "AWBO", "AGCFV", "AGCFV8"})
            if (name == linked) return;
        if (d.controlKind != ControlKind::SpinEdit) return;
        // The look-up tables end at entry 255, one short of the control's range.
        const int32_t hi = name.rfind("LUTI", 0) == 0 && d.maxValue == 256 ? 255 : d.maxValue;
        ExpectTakesExactly(cam, name, {d.minValue, hi}, int64_t{d.minValue} - 1, int64_t{hi} + 1);
    });
}

TEST(VirtualCameraProtocol, DropDownParametersTakeTheirCodesOnly) {
    ForEachParameter([](CameraFixture& cam, const ParameterDef& d, const std::string& name) {
        // The rate and the one-push modes have tests of their own.
        if (d.controlKind != ControlKind::Combo || name == "CBDRT" || name == "AWB" || name == "AGC") return;
        const auto values = ComboValues(d.ctrlId, cam.Camera().Kind());
        ASSERT_FALSE(values.empty());
        ExpectTakesExactly(cam, name, values, -1, int64_t{values.back()} + 1);
    });
    for (const char* model : {"KA", "KB"}) {
        // "EncoderDirection" is code 30, not index 20; the trigger source has no encoder direction,
        // and a generator cannot trigger itself.
        CameraFixture(Model(model))
            .Talk(
                "LS0=30 > C; LS0=2 > Range; TI=30 > Range; PGIN0=10 > Range; PGIN1=10 > C; PGCM2=8 > C;"
                "PGCM2=3 > Range; CLCFG=4 > C; CLCFG=3 > Range; CE2=2 > C; CE2=1 > Range; AWB=1 > Range;"
                "AWB=3 > Range; AWB=7 > C; AGC=1 > Range; BA=2 > C; BA=3 > Range");
    }
    CameraFixture(Model("KA")).Talk("CLCF=3 > Range");  // 31.875 MHz only on the KB
    CameraFixture(Model("KB")).Talk("CLCF=3 > C");
}

TEST(VirtualCameraProtocol, EveryFactoryValueIsOneTheCameraTakes) {
    // A factory value outside the camera's own limits would make a settings file saved from a fresh
    // camera fail to load back.
    ForEachParameter([](CameraFixture& cam, const ParameterDef& d, const std::string& name) {
        if (d.controlKind == ControlKind::Button) return;
        const std::string reply = cam.Ask(name + "?");
        ASSERT_EQ(reply.rfind(name + "=", 0), 0u) << reply;
        if (name == "AWB" || name == "AGC") return;  // Off: re-sending it is covered above
        EXPECT_EQ(cam.Ask(name + "=" + reply.substr(name.size() + 1)), kReplyComplete) << reply;
    });
}

TEST(VirtualCameraProtocol, RefusedEchoedAndOverlongAnswersFollowTheirSwitches) {
    SimOptions o;
    o.refuse = {"GA", "wtc"};
    o.overlong = true;
    CameraFixture cam(o);
    const std::string first = cam.Ask("MD?");
    EXPECT_EQ(first.size(), static_cast<size_t>(kOverlongReplyBytes));
    EXPECT_EQ(first.rfind("MD=VR-8200-KA,", 0), 0u) << "the value stays readable before the comma";
    cam.Talk(
        "MD? > MD=VR-8200-KA; GA=200 > ERROR: Refused; WTC=1024 > ERROR: Refused; GA? > GA=100; GAR=200 > C;"
        "EB=1 > C; GAR? > GAR?|GAR=200; EB=0 > EB=0|COMPLETE; GAR? > GAR=200");
}
