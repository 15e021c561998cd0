#pragma once
// The lines the virtual camera answers with besides "NAME=value". Every error text is shorter than
// 33 characters and holds neither "=" nor "?", so no receiver can take one for a value.

namespace vr::sim {

inline constexpr const char* kReplyComplete = "COMPLETE";

inline constexpr const char* kErrorUnknownCommand = "ERROR: Unknown command";  // not in the vocabulary
inline constexpr const char* kErrorNotSupported = "ERROR: Not supported";      // this model lacks it
inline constexpr const char* kErrorSyntax = "ERROR: Syntax error";             // no "=" or "?", not a number
inline constexpr const char* kErrorOutOfRange = "ERROR: Out of range";         // value outside what it takes
inline constexpr const char* kErrorReadOnly = "ERROR: Read only";              // a set of a read-out
inline constexpr const char* kErrorWriteOnly = "ERROR: Write only";            // a query of an action
inline constexpr const char* kErrorLocked = "ERROR: Locked";                   // "ID00" without "ULCK"
inline constexpr const char* kErrorInvalidKey = "ERROR: Invalid key";          // "ULCK" with a wrong key
inline constexpr const char* kErrorTooLong = "ERROR: Too long";                // a text or a line too long
inline constexpr const char* kErrorRefused = "ERROR: Refused";                 // --refuse, --fail-query

}  // namespace vr::sim
