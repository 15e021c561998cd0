#include "protocol/Numbers.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace vr::protocol {
namespace {

bool IsHexPrefix(std::string_view text) {
    return text.size() >= 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h');
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

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

bool ParseLeadingNumber(std::string_view text, int32_t& value) {
    if (text.size() >= 2 && text[0] == '&' && text[1] == 'H') {
        uint32_t v = 0;
        size_t digits = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0) break;
            v = (v << 4) | static_cast<uint32_t>(d);
            ++digits;
        }
        if (digits == 0) return false;
        value = static_cast<int32_t>(v);
        return true;
    }
    value = LeadingDecimal(text);
    return true;
}

bool LeadingNumberFits(std::string_view text) {
    if (text.size() >= 2 && text[0] == '&' && text[1] == 'H') {
        uint64_t v = 0;
        for (size_t i = 2; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
            v = v * 16 + static_cast<uint64_t>(HexDigit(text[i]));
            if (v > UINT32_MAX) return false;
        }
        return true;
    }
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    int64_t v = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<int64_t>(INT32_MAX) + 1) return false;
    }
    return negative ? v <= static_cast<int64_t>(INT32_MAX) + 1 : v <= INT32_MAX;
}

NumberParse ParseWholeNumber(std::string_view text, int32_t& value) {
    if (IsHexPrefix(text)) {
        if (text.size() == 2) return NumberParse::Syntax;
        uint64_t v = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0) return NumberParse::Syntax;
            v = v * 16 + static_cast<uint64_t>(d);
            if (v > UINT32_MAX) return NumberParse::Overflow;
        }
        value = static_cast<int32_t>(static_cast<uint32_t>(v));
        return NumberParse::Ok;
    }
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return NumberParse::Syntax;
    int64_t v = 0;
    bool overflow = false;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return NumberParse::Syntax;
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<int64_t>(INT32_MAX) + 1) {
            overflow = true;
            v = static_cast<int64_t>(INT32_MAX) + 1;
        }
    }
    if (negative) v = -v;
    if (overflow || v > INT32_MAX || v < INT32_MIN) return NumberParse::Overflow;
    value = static_cast<int32_t>(v);
    return NumberParse::Ok;
}

}  // namespace vr::protocol
