#include "identity/DeviceVersion.h"

#include "identity/Characters.h"

namespace vr::identity {

std::optional<DeviceVersionFields> SplitDeviceVersion(std::string_view text) {
    DeviceVersionFields fields;
    size_t start = 0;
    for (size_t i = 0; i < fields.size() - 1; ++i) {
        const size_t dot = text.find('.', start);
        if (dot == std::string_view::npos) return std::nullopt;
        fields[i] = std::string(text.substr(start, dot - start));
        start = dot + 1;
    }
    const std::string_view rest = text.substr(start);
    if (rest.find('.') != std::string_view::npos) return std::nullopt;
    fields.back() = std::string(rest);
    return fields;
}

std::string JoinDeviceVersion(const DeviceVersionFields& fields) {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) text += '.';
        text += FirstCharacter(fields[i]);
    }
    return text;
}

}  // namespace vr::identity
