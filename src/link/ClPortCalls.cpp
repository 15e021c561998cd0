#include "link/ClPortCalls.h"

#include <cstring>
#include <vector>

#include "platform/Platform.h"

namespace vr::link::cl {

int WritePort(SerialWriteFn write, hSerRef ref, const char* bytes, uint32_t count, uint32_t timeoutMs) {
    if (ref == nullptr || write == nullptr) return 0;
    // The standard's prototype takes a non-const buffer; hand it a copy so no library can write
    // into the caller's text.
    std::vector<CLINT8> copy(bytes, bytes + count);
    CLUINT32 size = count;
    return write(ref, copy.data(), &size, timeoutMs) == kErrNone ? 1 : 0;
}

int ReadPort(SerialReadFn read, hSerRef ref, char* buffer, uint32_t count, uint32_t timeoutMs) {
    if (ref == nullptr || read == nullptr || count == 0) return 0;
    CLUINT32 size = count;
    if (read(ref, buffer, &size, timeoutMs) != kErrNone) return 0;
    return static_cast<int>(size < count ? size : count);
}

bool RateSupported(GetSupportedBaudRatesFn getRates, hSerRef ref, uint32_t rate) {
    if (ref == nullptr || getRates == nullptr) return false;
    const CLUINT32 bit = BaudRateBit(rate);
    CLUINT32 bits = 0;
    return bit != 0 && getRates(ref, &bits) == kErrNone && (bits & kBaudBitMask & bit) != 0;
}

int SetPortRate(platform::IPlatform& platform, GetSupportedBaudRatesFn getRates, SetBaudRateFn setRate, hSerRef ref,
                uint32_t rate, const std::string& refusedText) {
    if (ref == nullptr) return 0;
    // A library that reports a rate and then refuses it leaves the line where it was; the caller
    // must not believe it switched.
    if (RateSupported(getRates, ref, rate) && setRate(ref, BaudRateBit(rate)) == kErrNone) return 1;
    platform.MessageBox(refusedText, platform::kAppTitle, platform::MsgIcon::Exclamation);
    return 0;
}

std::string TextFromBuffer(const char* buffer, uint32_t size) {
    const void* end = std::memchr(buffer, '\0', size);
    return std::string(buffer, end != nullptr ? static_cast<const char*>(end) - buffer : size);
}

}  // namespace vr::link::cl
