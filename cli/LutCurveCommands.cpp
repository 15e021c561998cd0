// "lut curve FILE --points ...": the table of a curve through edit points, written as a gamma file
// (the same table for red, green and blue), without a camera.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CommandList.h"
#include "Output.h"
#include "Session.h"
#include "lut/GammaFile.h"
#include "lut/LutCurve.h"
#include "lut/PlotPointsText.h"
#include "platform/FileIo.h"
#include "platform/Platform.h"

namespace vr::cli {
namespace {

int RunLutCurve(Session& session) {
    const Options& o = session.Opts();
    std::vector<lut::PlotPoint> points;
    if (std::string why; !lut::ParsePlotPoints(o.Value("points"), points, why)) {
        PrintError(why);
        return kExitUsage;
    }
    lut::LutCurve curve;
    curve.SetPoints(points);
    const lut::LutTable& table = curve.Table();

    const std::string& path = o.args.front();
    std::string target, reason;
    if (platform::CheckWriteTarget(path, target, reason) != platform::WriteResult::Written) {
        std::fprintf(stderr, "vr8200ctl: %s: %s; nothing was written\n", path.c_str(), reason.c_str());
        return kExitFile;
    }
    if (platform::FileExists(path)) {
        std::error_code ec;
        const std::string full = std::filesystem::absolute(path, ec).lexically_normal().string();
        const std::string question = (ec ? path : full) + "\nThis file already exists." + "\nReplace existing file?";
        if (session.Platform().MessageBox(question, platform::kAppTitle, platform::MsgIcon::Question,
                                          platform::MsgButtons::YesNo) != platform::MsgResult::Yes) {
            std::fprintf(stderr, "vr8200ctl: %s was not replaced (--yes replaces it)\n", path.c_str());
            return kExitFile;
        }
    }
    std::string error;
    if (!lut::WriteGammaFile(path, table, table, table, error)) {
        std::fprintf(stderr, "vr8200ctl: %s was not written: %s\n", path.c_str(), error.c_str());
        return kExitFile;
    }
    return kExitOk;
}

}  // namespace

void AddLutCurveCommands(CommandList& commands) {
    commands.push_back({"lut curve",
                        "write the gamma file of a curve through edit points, the same table for R, G and B; no camera",
                        [](CLI::App& sub, Options& o) {
                            sub.add_option("FILE", o.args, "the gamma file (csv) to write")->required()->expected(1);
                            sub.add_option("--points", o.values["points"],
                                           "\"X,Y X,Y ...\": 2 to 16 edit points sorted by x, in the editor's plot "
                                           "coordinates (x 0..256 rightwards, y 0 at the top to 256 at the bottom)")
                                ->required();
                        },
                        RunLutCurve});
}

}  // namespace vr::cli
