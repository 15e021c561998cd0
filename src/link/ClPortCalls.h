#pragma once
// The calls on an open Camera Link serial reference that the three links make alike.

#include <cstdint>
#include <string>

#include "link/ClSerialApi.h"

namespace vr::platform {
class IPlatform;
}

namespace vr::link::cl {

// Lists longer than this are taken as a library's garbage count, not as ports.
inline constexpr uint32_t kMaxListEntries = 256;

// 1 when the library wrote all count bytes.
int WritePort(SerialWriteFn write, hSerRef ref, const char* bytes, uint32_t count, uint32_t timeoutMs);
// Bytes read; 0 on any failure status, the time-out included (a partly completed read is not
// trusted, as libraries differ in what they leave in the size then).
int ReadPort(SerialReadFn read, hSerRef ref, char* buffer, uint32_t count, uint32_t timeoutMs);
// Whether the library reports the rate's bit for the open port.
bool RateSupported(GetSupportedBaudRatesFn getRates, hSerRef ref, uint32_t rate);
// Takes the rate when the library reports it and accepts the switch; otherwise shows text in a
// warning box and returns 0.
int SetPortRate(platform::IPlatform& platform, GetSupportedBaudRatesFn getRates, SetBaudRateFn setRate, hSerRef ref,
                uint32_t rate, const std::string& refusedText);
// A NUL-terminated text from a fixed buffer the library filled (it may have left no NUL).
std::string TextFromBuffer(const char* buffer, uint32_t size);

inline constexpr const char* kRateRefused = "Selected baud rate is not supported.";

}  // namespace vr::link::cl
