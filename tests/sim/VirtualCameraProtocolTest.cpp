// The camera's answers to single lines: syntax, switches, and each model's commands and factory
// values, checked against the hand-kept data of tests/golden rather than the tool's own tables.

#include <gtest/gtest.h>

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

// The commands each model lacks by the golden data, as ("KA" or "KB", command id).
std::set<std::pair<std::string, int64_t>> Lacking() {
    GoldenFile golden("model_commands.tsv");
    std::set<std::pair<std::string, int64_t>> lacks;
    for (const auto& r : golden.Records()) {
        const std::string& name = r.Text("model");
        if (name != kModelNameKA && name != kModelNameKB) r.Fail("unknown model \"" + name + "\"");
        lacks.insert({name == kModelNameKA ? "KA" : "KB", r.Int("cmd")});
    }
    return lacks;
}

}  // namespace

// The commands the camera lacks are those of the golden data; the factory values are asked of them on the line.
TEST(VirtualCameraProtocol, EachModelLacksExactlyTheGoldenCommands) {
    const auto lacks = Lacking();
    for (const auto& [model, kind] : {std::pair{"KA", CameraKind::KA}, {"KB", CameraKind::KB}})
        for (uint32_t id = 0; id < vr::protocol::kCommandCount; ++id)
            EXPECT_EQ(IsCommandOnModel(id, kind), lacks.count({model, id}) == 0)
                << model << " " << vr::protocol::GetCommandName(id);
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

// Ranges come from the tables test_tables checks. The camera's own: gain auto has no continuous mode,
// the pixel format has no items in the tables, and the KA's clock stops at 42.5 MHz.
TEST(VirtualCameraProtocol, TheCamerasOwnListsAndRanges) {
    for (const char* model : {"KA", "KB"})
        CameraFixture(Model(model))
            .Talk(
                "AGC=1 > Range; AGC=3 > Range; AGC=0 > C; BA=2 > C; BA=3 > Range; BA=-1 > Range; GA=99 > Range;"
                "GA=3200 > C; GA=3201 > Range");
    CameraFixture().Talk("CLCF=2 > C; CLCF=3 > Range");
}

// A fresh camera holds the defaults but the listed ones of its own, and takes each back (a file saved
// from it must load again); a command the model lacks by the golden data is not supported.
TEST(VirtualCameraProtocol, FactoryValuesAreTheDefaultsAndTakenBack) {
    // The rate code of 9600 bit/s, and a line period and exposures that a factory format can run.
    const std::map<std::string, int64_t> cameraOwn = {{"CBDRT", 1},  {"LR", 20000}, {"PE", 8000},
                                                      {"PER", 8000}, {"PEG", 8000}, {"PEB", 8000}};
    GoldenFile parameters("parameters.tsv");
    const auto lacks = Lacking();
    for (const std::string model : {"KA", "KB"}) {
        CameraFixture cam(Model(model.c_str()));
        for (const auto& r : parameters.Records()) {
            const std::string& name = r.Text("mnemonic");
            if (name.empty() || r.Text("kind") == "Button") continue;
            SCOPED_TRACE(r.Where() + " on the " + model);
            const bool lacking = lacks.count({model, r.Int("cmd")}) != 0;
            const auto own = cameraOwn.find(name);
            const std::string set =
                name + "=" + std::to_string(own == cameraOwn.end() ? r.Int("default") : own->second);
            cam.Step(name + "?", lacking ? kErrorNotSupported : set);
            cam.Step(lacking ? name + "=0" : set, lacking ? kErrorNotSupported : kReplyComplete);
        }
    }
}

// The overlong first answer is run through the tool by test_faults (get_overlong_reply).
TEST(VirtualCameraProtocol, RefusedAndEchoedAnswersFollowTheirSwitches) {
    SimOptions o;
    o.refuse = {"GA", "wtc"};
    CameraFixture(o).Talk(
        "GA=200 > ERROR: Refused; WTC=1024 > ERROR: Refused; GA? > GA=100; GAR=200 > C; EB=1 > C;"
        "GAR? > GAR?|GAR=200; EB=0 > EB=0|COMPLETE; GAR? > GAR=200");
}
