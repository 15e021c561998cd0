#include "lut/GammaFile.h"

#include <cstdio>

#include "app/FileIo.h"

namespace vr::lut {

std::string FormatGammaFile(const LutTable& red, const LutTable& green, const LutTable& blue) {
    std::string text = std::string(kGammaHeader) + "\r\n";
    text.reserve(text.size() + kLutEntries * 18);
    char line[48];
    for (int i = 0; i < kLutEntries; ++i) {
        const auto e = static_cast<size_t>(i);
        std::snprintf(line, sizeof line, "%d,%d,%d\r\n", red[e], green[e], blue[e]);
        text += line;
    }
    return text;
}

bool WriteGammaFile(const std::string& path, const LutTable& red, const LutTable& green, const LutTable& blue,
                    std::string& error) {
    return app::WriteFileAtomically(path, FormatGammaFile(red, green, blue), error) == app::WriteResult::Written;
}

}  // namespace vr::lut
