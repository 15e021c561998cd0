// What the virtual camera answers to single lines: identity, the per-model command sets, line
// syntax, and the range, list codes and factory value of every parameter, which come from the
// hand-kept data of tests/golden rather than from the tool's own tables.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <set>

#include "CameraFixture.h"
#include "GoldenFile.h"
#include "protocol/CommandTable.h"
#include "sim/CameraKind.h"

using namespace vr::sim;
using namespace vr::sim::test;
using vr::test::GoldenFile;

namespace {

// A row of the golden parameter table that names a camera command.
struct GoldenParameter {
    const GoldenFile::Record* record;
    std::string name;
    std::string kind;  // "SpinEdit", "Combo" or "Button"
    int64_t ctrl, minValue, maxValue, defaultValue;
};

std::vector<GoldenParameter> GoldenParameters(const GoldenFile& file) {
    std::vector<GoldenParameter> rows;
    for (const auto& r : file.Records())
        if (!r.Text("mnemonic").empty())
            rows.push_back(
                {&r, r.Text("mnemonic"), r.Text("kind"), r.Int("ctrl"), r.Int("min"), r.Int("max"), r.Int("default")});
    return rows;
}

// "KA" or "KB" for a model name of the golden data.
std::string ModelOption(const GoldenFile::Record& r) {
    const std::string& name = r.Text("model");
    if (name == kModelNameKA) return "KA";
    if (name == kModelNameKB) return "KB";
    r.Fail("unknown model \"" + name + "\"");
    return {};
}

// Calls check for each golden parameter row that `which` picks, on one fresh camera per model. A
// command the model lacks by the golden data must be answered as not supported instead.
void ForEachParameter(const std::function<bool(const GoldenParameter&)>& which,
                      const std::function<void(CameraFixture&, const GoldenParameter&, const std::string&)>& check) {
    GoldenFile parameters("parameters.tsv");
    GoldenFile lacking("model_commands.tsv");
    std::map<std::string, std::set<std::string>> lacks;
    for (const auto& r : lacking.Records()) lacks[ModelOption(r)].insert(r.Text("mnemonic"));
    for (const std::string model : {"KA", "KB"}) {
        CameraFixture cam(Model(model.c_str()));
        for (const GoldenParameter& p : GoldenParameters(parameters)) {
            if (!which(p)) continue;
            SCOPED_TRACE(p.record->Where() + " on the " + model);
            if (lacks[model].count(p.name) != 0) {
                EXPECT_EQ(cam.Ask(p.name + "?"), kErrorNotSupported);
                EXPECT_EQ(cam.Ask(p.name + "=0"), kErrorNotSupported);
                continue;
            }
            check(cam, p, model);
        }
    }
}

bool IsKind(const GoldenParameter& p, const char* kind) {
    return p.kind == kind;
}

// Sets each value, reads it back, and expects the neighbours outside to be refused.
void ExpectTakesExactly(CameraFixture& cam, const std::string& name, const std::vector<int64_t>& values, int64_t below,
                        int64_t above) {
    for (int64_t v : values) {
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

TEST(VirtualCameraProtocol, EverySpinParameterTakesExactlyItsRange) {
    const std::set<std::string> linked = {"LR",  "PE",   "PER",  "PEG",   "PEB",   "WTC",
                                          "OFC", "AWBW", "AWBO", "AGCFV", "AGCFV8"};
    ForEachParameter([](const GoldenParameter& p) { return IsKind(p, "SpinEdit"); },
                     [&linked](CameraFixture& cam, const GoldenParameter& p, const std::string&) {
                         // Limits that depend on other settings have tests of their own.
                         if (linked.count(p.name) != 0) return;
                         // The look-up tables end at entry 255, one short of the control's range.
                         const int64_t hi = p.name.rfind("LUTI", 0) == 0 ? 255 : p.maxValue;
                         ExpectTakesExactly(cam, p.name, {p.minValue, hi}, p.minValue - 1, hi + 1);
                     });
}

// A list takes the codes the golden data gives it (for this model where the list differs by
// model), else its item indices; every other value from -1 to one past the largest is refused.
TEST(VirtualCameraProtocol, DropDownParametersTakeTheirCodesOnly) {
    GoldenFile items("combo_items.tsv"), codes("combo_codes.tsv"), perModel("model_combo_items.tsv");
    std::map<int64_t, std::vector<int64_t>> indices, coded;
    std::map<std::pair<std::string, int64_t>, std::vector<int64_t>> modelValues;
    for (const auto& r : items.Records()) indices[r.Int("ctrl")].push_back(r.Int("index"));
    for (const auto& r : codes.Records()) coded[r.Int("ctrl")].push_back(r.Int("code"));
    for (const auto& r : perModel.Records())
        modelValues[{ModelOption(r), r.Int("ctrl")}].push_back(r.Text("code").empty() ? r.Int("index") : r.Int("code"));
    ForEachParameter([](const GoldenParameter& p) { return IsKind(p, "Combo"); },
                     [&](CameraFixture& cam, const GoldenParameter& p, const std::string& model) {
                         // The rate codes, gain auto and the pixel format (without items in the golden data) are below.
                         if (p.name == "CBDRT" || p.name == "AGC" || p.name == "BA") return;
                         auto takes = modelValues.count({model, p.ctrl}) != 0 ? modelValues[{model, p.ctrl}]
                                      : coded.count(p.ctrl) != 0              ? coded[p.ctrl]
                                                                              : indices[p.ctrl];
                         ASSERT_FALSE(takes.empty());
                         const int64_t top = *std::max_element(takes.begin(), takes.end());
                         for (int64_t v = -1; v <= top + 1; ++v) {
                             const std::string line = p.name + "=" + std::to_string(v);
                             if (std::find(takes.begin(), takes.end(), v) == takes.end()) {
                                 EXPECT_EQ(cam.Ask(line), kErrorOutOfRange);
                                 continue;
                             }
                             // One-push white balance answers when it has run; the presets and Off at once.
                             if (p.name == "AWB" && (v == 2 || v == 4)) {
                                 cam.Step(line, "");
                                 cam.Step("~" + std::to_string(kDefaultAwbMs), kReplyComplete);
                                 continue;
                             }
                             EXPECT_EQ(cam.Ask(line), kReplyComplete);
                             EXPECT_EQ(cam.GetInt(p.name), v);
                         }
                     });
    for (const char* model : {"KA", "KB"})
        CameraFixture(Model(model))
            .Talk("AGC=1 > Range; AGC=3 > Range; AGC=0 > C; BA=2 > C; BA=3 > Range; BA=-1 > Range");
}

// A fresh camera holds the tool's defaults, except where the camera's own choice is listed, and
// takes every one of them back: a settings file saved from a fresh camera must load into it again.
TEST(VirtualCameraProtocol, FactoryValuesAreTheDefaultsAndTakenBack) {
    // The rate code of 9600 bit/s, and a line period and exposures that a factory format can run.
    const std::map<std::string, int64_t> cameraOwn = {{"CBDRT", 1},  {"LR", 20000}, {"PE", 8000},
                                                      {"PER", 8000}, {"PEG", 8000}, {"PEB", 8000}};
    ForEachParameter([](const GoldenParameter& p) { return !IsKind(p, "Button"); },
                     [&cameraOwn](CameraFixture& cam, const GoldenParameter& p, const std::string&) {
                         const auto own = cameraOwn.find(p.name);
                         const int64_t factory = own == cameraOwn.end() ? p.defaultValue : own->second;
                         const std::string set = p.name + "=" + std::to_string(factory);
                         EXPECT_EQ(cam.Ask(p.name + "?"), set);
                         EXPECT_EQ(cam.Ask(set), kReplyComplete);
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
