#pragma once
// The integers of the camera's lines, the settings file and the pages, read from text. One reading
// for everybody: the engine, the settings file, the command line and the virtual camera.

#include <cstdint>
#include <string_view>

namespace vr::protocol {

// The leading signed decimal number after any white space; 0 when there is none. Conversion stops
// at the first character that is not a digit, and values beyond 32 bits saturate.
int32_t LeadingDecimal(std::string_view text);

// A value as the camera answers it and the settings file holds it: "&H" followed by hexadecimal
// digits, read up to the first other character as a 32-bit pattern ("&HFFFFFFFF" is -1), or else
// the leading decimal number. False for "&H" with no digit after it: that is no number at all.
bool ParseLeadingNumber(std::string_view text, int32_t& value);

// False when the number ParseLeadingNumber would read has more than 32 bits: a decimal outside the
// signed range, or "&H" with a value beyond FFFFFFFF. Such a number would be read as another one
// (saturated, or cut to its low 32 bits). True for a text without a number.
bool LeadingNumberFits(std::string_view text);

enum class NumberParse { Ok, Syntax, Overflow };

// The whole text as one number, nothing before or after it: "&H" (or "&h") and hexadecimal digits,
// or an optionally signed decimal. Syntax for anything else, Overflow beyond 32 bits (hexadecimal
// beyond 8 digits' worth, decimal outside the signed range); value is then untouched.
NumberParse ParseWholeNumber(std::string_view text, int32_t& value);

}  // namespace vr::protocol
