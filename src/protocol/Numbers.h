#pragma once
// The camera's and the pages' integers read from text.

#include <cstdint>
#include <string_view>

namespace vr::protocol {

// The leading signed decimal number after any white space; 0 when there is none. Conversion stops
// at the first character that is not a digit, and values beyond 32 bits saturate.
int32_t LeadingDecimal(std::string_view text);

}  // namespace vr::protocol
