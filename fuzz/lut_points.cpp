// lut curve's edit points ("X,Y X,Y ..."): what is taken is exactly what the text spells (read here
// by a plain reading of the rule), 2 to 16 points inside the plot and sorted by x, and the curve
// through them gives a table the camera can hold; what is refused says why, printably.

#include <cctype>
#include <optional>
#include <sstream>

#include "FuzzCheck.h"
#include "lut/LutCurve.h"
#include "lut/PlotPointsText.h"

namespace {

// An optionally signed decimal (leading zeros or not), nothing else, within 32 bits.
std::optional<int64_t> Whole(const std::string& text) {
    const size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    if (first == text.size()) return std::nullopt;
    int64_t v = 0;
    for (size_t i = first; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        v = v * 10 + (text[i] - '0');
        if (v > 1LL << 32) return std::nullopt;
    }
    if (first == 1) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(vr::fuzz::AsText(data, size));
    std::vector<vr::lut::PlotPoint> points;
    std::string why;
    const bool taken = vr::lut::ParsePlotPoints(text, points, why);

    std::vector<std::string> tokens;
    std::istringstream in(text);
    for (std::string token; in >> token;) tokens.push_back(token);
    if (!taken) {
        FUZZ_CHECK(!why.empty());
        FUZZ_CHECK(!vr::fuzz::HasControlCharacter(why));
        return 0;
    }
    FUZZ_CHECK(points.size() == tokens.size());
    FUZZ_CHECK(points.size() >= 2 && points.size() <= static_cast<size_t>(vr::lut::LutCurve::kMaxPoints));
    for (size_t i = 0; i < points.size(); ++i) {
        const std::string& token = tokens[i];
        const size_t comma = token.find(',');
        FUZZ_CHECK(comma != std::string::npos);
        FUZZ_CHECK(Whole(token.substr(0, comma)) == std::optional<int64_t>(points[i].x));
        FUZZ_CHECK(Whole(token.substr(comma + 1)) == std::optional<int64_t>(points[i].y));
        FUZZ_CHECK(vr::lut::InPlot(points[i]));
        if (i > 0) FUZZ_CHECK(points[i - 1].x <= points[i].x);
    }
    vr::lut::LutCurve curve;
    FUZZ_CHECK(curve.SetPoints(points));
    for (const int32_t value : curve.Table()) FUZZ_CHECK(value >= 0 && value <= vr::lut::kLutMaxValue);
    return 0;
}
