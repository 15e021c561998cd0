// The virtual camera's non-volatile memory as text: one "key=value" line per item, settings named
// by their mnemonics so that a stored file survives additions to the command table.

#include <climits>
#include <sstream>

#include "protocol/CommandIds.h"
#include "protocol/CommandTable.h"
#include "sim/StoredSettings.h"
#include "sim/VirtualCamera.h"

namespace vr::sim {

namespace id = protocol::cmd;
namespace {

constexpr const char* kHeader = "vr8200-sim-state 1";

template <typename Range>
std::string JoinNumbers(const Range& values) {
    std::string s;
    for (int32_t v : values) {
        if (!s.empty()) s += ',';
        s += std::to_string(v);
    }
    return s;
}

bool ParseNumber(const std::string& text, int32_t& out) {
    try {
        size_t used = 0;
        const long long v = std::stoll(text, &used);
        if (used != text.size() || v < INT32_MIN || v > INT32_MAX) return false;
        out = static_cast<int32_t>(v);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool ParseNumbers(const std::string& text, std::vector<int32_t>& out) {
    std::stringstream ss(text);
    std::string item;
    while (std::getline(ss, item, ',')) {
        int32_t v = 0;
        if (!ParseNumber(item, v)) return false;
        out.push_back(v);
    }
    return true;
}

std::string NamedValues(const std::vector<uint32_t>& ids, const std::array<int32_t, protocol::kCommandCount>& regs) {
    std::string s;
    for (uint32_t i : ids) {
        if (!s.empty()) s += ',';
        s += protocol::GetCommandName(i) + ":" + std::to_string(regs[i]);
    }
    return s;
}

// Names the table no longer has are skipped, so an old file still loads.
bool ParseNamedValues(const std::string& text, std::array<int32_t, protocol::kCommandCount>& regs) {
    std::stringstream ss(text);
    std::string item;
    while (std::getline(ss, item, ',')) {
        const size_t colon = item.find(':');
        int32_t v = 0;
        if (colon == std::string::npos || !ParseNumber(item.substr(colon + 1), v)) return false;
        const int32_t found = protocol::FindCommand(item.substr(0, colon));
        if (found >= 0 && found != static_cast<int32_t>(id::Unnamed)) regs[found] = v;
    }
    return true;
}

std::vector<uint32_t> CacIds() {
    std::vector<uint32_t> ids;
    for (uint32_t i = id::CacFirst; i <= id::CacLast; ++i) ids.push_back(i);
    return ids;
}

}  // namespace

std::string VirtualCamera::SaveState() const {
    std::vector<uint32_t> areaIds = StoredUserIds();
    areaIds.insert(areaIds.end(), StoredFactoryIds().begin(), StoredFactoryIds().end());
    std::ostringstream out;
    out << kHeader << '\n';
    out << "kind=" << (kind_ == CameraKind::KA ? "KA" : "KB") << '\n';
    out << "model=" << modelName_ << '\n';
    out << "camera-id=" << cameraId_ << '\n';
    out << "user-id=" << userId_ << '\n';
    out << "device-version=" << deviceVersion_ << '\n';
    out << "xml-version=" << regs_[id::XMLVR] << '\n';
    out << "boot-area=" << regs_[id::BAS00] << '\n';
    out << "update-area=" << updateArea_ << '\n';
    for (int a = 0; a < 4; ++a) {
        out << "area" << a << '=' << NamedValues(areaIds, areas_[a].values) << '\n';
        std::vector<int32_t> lut;
        for (const auto& colour : areas_[a].lut) lut.insert(lut.end(), colour.begin(), colour.end());
        out << "lut" << a << '=' << JoinNumbers(lut) << '\n';
    }
    out << "cac=" << NamedValues(CacIds(), cacFlash_) << '\n';
    for (int slot = 0; slot < kShadingSlots; ++slot) {
        std::vector<int32_t> values;
        for (const auto& plane : shadingFlash_[slot]) values.insert(values.end(), plane.begin(), plane.end());
        out << "shading" << slot + 1 << '=' << JoinNumbers(values) << '\n';
    }
    return out.str();
}

bool VirtualCamera::LoadState(const std::string& text, std::string* error) {
    // Parsed into a copy first: a damaged file changes nothing.
    VirtualCamera next(*this);
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    auto fail = [&](const std::string& why) {
        if (error != nullptr) *error = "line " + std::to_string(lineNo) + ": " + why;
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (lineNo == 1) {
            if (line != kHeader) return fail("not a virtual camera state");
            continue;
        }
        if (line.empty()) continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos) return fail("no \"=\"");
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        int32_t number = 0;
        std::vector<int32_t> numbers;
        if (key == "kind") {
            auto k = KindFromOption(value);
            if (!k) return fail("unknown kind \"" + value + "\"");
            next.kind_ = *k;
        } else if (key == "model") {
            next.modelName_ = value;
        } else if (key == "camera-id") {
            next.cameraId_ = value;
        } else if (key == "user-id") {
            next.userId_ = value;
        } else if (key == "device-version") {
            next.deviceVersion_ = value;
        } else if (key == "xml-version" || key == "boot-area" || key == "update-area") {
            if (!ParseNumber(value, number)) return fail("bad number \"" + value + "\"");
            if (key == "xml-version") next.regs_[id::XMLVR] = number;
            if (key == "boot-area") {
                if (number < 0 || number > 1) return fail("boot area must be 0 or 1");
                next.regs_[id::BAS00] = number;
            }
            if (key == "update-area") {
                if (number < 1 || number > 3) return fail("update area must be 1..3");
                next.updateArea_ = number;
            }
        } else if (key.size() == 5 && key.rfind("area", 0) == 0 && key[4] >= '0' && key[4] <= '3') {
            if (!ParseNamedValues(value, next.areas_[key[4] - '0'].values)) return fail("bad settings");
        } else if (key.size() == 4 && key.rfind("lut", 0) == 0 && key[3] >= '0' && key[3] <= '3') {
            if (!ParseNumbers(value, numbers) || numbers.size() != 3 * kLutSize) return fail("bad LUT");
            for (int c = 0; c < 3; ++c)
                for (int i = 0; i < kLutSize; ++i) next.areas_[key[3] - '0'].lut[c][i] = numbers[c * kLutSize + i];
        } else if (key == "cac") {
            if (!ParseNamedValues(value, next.cacFlash_)) return fail("bad chromatic aberration data");
        } else if (key.size() == 8 && key.rfind("shading", 0) == 0 && key[7] >= '1' && key[7] <= '3') {
            if (!ParseNumbers(value, numbers) || numbers.size() != 3 * kShadingSize) return fail("bad shading data");
            for (int p = 0; p < 3; ++p)
                for (int i = 0; i < kShadingSize; ++i)
                    next.shadingFlash_[key[7] - '1'][p][i] = numbers[p * kShadingSize + i];
        }
        // Other keys belong to a newer camera and are left alone.
    }
    if (lineNo == 0) return fail("empty");
    if (auto named = KindFromName(next.modelName_)) next.kind_ = *named;
    next.BuildRules();
    next.Boot(rate_);
    *this = std::move(next);
    return true;
}

}  // namespace vr::sim
