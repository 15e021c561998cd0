#include "lut/PlotPointsText.h"

#include <charconv>
#include <sstream>

#include "protocol/Command.h"

namespace vr::lut {
namespace {

bool ParseInt(const std::string& text, int32_t& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

}  // namespace

bool ParsePlotPoints(const std::string& text, std::vector<PlotPoint>& points, std::string& why) {
    points.clear();
    std::istringstream in(text);
    int n = 0;
    for (std::string token; in >> token;) {
        ++n;
        const std::string named = "point " + std::to_string(n) + " \"" + protocol::Command::Printable(token) + "\"";
        const size_t comma = token.find(',');
        PlotPoint p;
        if (comma == std::string::npos || !ParseInt(token.substr(0, comma), p.x) ||
            !ParseInt(token.substr(comma + 1), p.y)) {
            why = named + " is not X,Y";
            return false;
        }
        if (!InPlot(p)) {
            why = named + " lies outside the plot (x and y run from 0 to 256)";
            return false;
        }
        if (!points.empty() && p.x < points.back().x) {
            why = named + " lies left of the point before it; give them sorted by x";
            return false;
        }
        points.push_back(p);
    }
    if (points.size() < 2 || points.size() > static_cast<size_t>(LutCurve::kMaxPoints)) {
        why = std::to_string(points.size()) + " points given; a curve has 2 to " + std::to_string(LutCurve::kMaxPoints);
        return false;
    }
    return true;
}

}  // namespace vr::lut
