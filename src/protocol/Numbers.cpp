#include "protocol/Numbers.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace vr::protocol {

int32_t LeadingDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    return static_cast<int32_t>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace vr::protocol
