#pragma once
// Edit points given as text ("X,Y X,Y ..."), as vr8200ctl's lut curve takes them: whole numbers in
// the editor's plot coordinates, 2 to 16 points sorted by x.

#include <string>
#include <vector>

#include "lut/LutCurve.h"

namespace vr::lut {

// The points of the text; false, with the reason for the operator in `why` (printable), for
// anything the editor could not hold.
bool ParsePlotPoints(const std::string& text, std::vector<PlotPoint>& points, std::string& why);

}  // namespace vr::lut
