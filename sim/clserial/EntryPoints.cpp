// A Camera Link serial library for tests, built in four forms from this file (CLLIB_FORM):
//   1 a frame-grabber maker's library (the v1.1 set a 2000-generation link loads by file name),
//   2 the 2001-generation library with the maker selection (clGetNumManufacturers,
//     clGetManufacturer, clSelectManufacturer) called exactly as the tool calls them,
//   3 the standard's dispatcher (clGetNumPorts, clGetPortInfo, clGetErrorText with a maker),
//   4 an incomplete maker's library that lacks clSerialWrite.
// Behaviour is set by environment variables read at each call:
//   VR8200_CLLIB_PORTS           number of serial ports (default 1)
//   VR8200_CLLIB_MANUFACTURERS   comma-separated maker names (default "VR Test Grabber")
//   VR8200_CLLIB_BAUD_BITS       what clGetSupportedBaudRates reports (default 0x1F, 9600..115200)
//   VR8200_CLLIB_SET_BITS        the bits clSetBaudRate accepts (default: those reported)
//   VR8200_CLLIB_INSTANT_READ=1  clSerialRead ignores its time-out and returns success with nothing
//   VR8200_CLLIB_JOURNAL         a file each call appends "<library file> <call> <arguments>" to
//   VR8200_CLLIB_PEER            what answers on the line (see ClPeer.h)

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "ClPeer.h"

#ifndef CLLIB_FORM
#error "CLLIB_FORM must be 1 (maker), 2 (2001), 3 (dispatcher) or 4 (incomplete)"
#endif

using CLINT32 = int32_t;
using CLUINT32 = uint32_t;
using CLINT8 = char;
using hSerRef = void*;

#define CL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr CLINT32 kOk = 0;
constexpr CLINT32 kBufferTooSmall = -10001;
constexpr CLINT32 kManuDoesNotExist = -10002;
constexpr CLINT32 kPortInUse = -10003;
constexpr CLINT32 kTimeout = -10004;
constexpr CLINT32 kInvalidIndex = -10005;
constexpr CLINT32 kInvalidReference = -10006;
[[maybe_unused]] constexpr CLINT32 kErrorNotFound = -10007;
constexpr CLINT32 kBaudRateNotSupported = -10008;

struct Port {
    CLUINT32 index;
    std::unique_ptr<vr::cllib::IClPeer> peer;
};

std::mutex gMutex;
std::vector<Port*> gPorts;
[[maybe_unused]] std::string gSelectedMaker;

uint32_t EnvNumber(const char* name, uint32_t fallback) {
    const char* v = std::getenv(name);
    return v != nullptr && v[0] != '\0' ? static_cast<uint32_t>(std::strtoul(v, nullptr, 0)) : fallback;
}

[[maybe_unused]] std::vector<std::string> Makers() {
    const char* v = std::getenv("VR8200_CLLIB_MANUFACTURERS");
    std::string list = v != nullptr && v[0] != '\0' ? v : "VR Test Grabber";
    std::vector<std::string> names;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        names.push_back(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return names;
}

uint32_t PortCount() {
    return EnvNumber("VR8200_CLLIB_PORTS", 1);
}
[[maybe_unused]] uint32_t ReportedBits() {
    return EnvNumber("VR8200_CLLIB_BAUD_BITS", 0x1F);
}

std::string LibraryFile() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&LibraryFile), &info) == 0 || info.dli_fname == nullptr) return "?";
    const char* slash = std::strrchr(info.dli_fname, '/');
    return slash != nullptr ? slash + 1 : info.dli_fname;
}

void Journal(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Journal(const char* format, ...) {
    const char* path = std::getenv("VR8200_CLLIB_JOURNAL");
    if (path == nullptr || path[0] == '\0') return;
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    const std::string line = LibraryFile() + " " + text + "\n";
    const int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    // O_APPEND writes of one short line land whole; a short write only shortens the journal.
    if (::write(fd, line.data(), line.size()) < 0) std::perror("cllib journal");
    ::close(fd);
}

Port* Find(hSerRef ref) {
    auto it = std::find(gPorts.begin(), gPorts.end(), static_cast<Port*>(ref));
    return it == gPorts.end() ? nullptr : *it;
}

// In: buffer size with the NUL; out: bytes written, or the size needed when too small.
[[maybe_unused]] CLINT32 CopyText(const std::string& text, CLINT8* out, CLUINT32* size) {
    const auto needed = static_cast<CLUINT32>(text.size() + 1);
    if (out == nullptr || size == nullptr || *size < needed) {
        if (size != nullptr) *size = needed;
        return kBufferTooSmall;
    }
    std::memcpy(out, text.c_str(), needed);
    *size = needed;
    return kOk;
}

[[maybe_unused]] const char* ErrorText(CLINT32 code) {
    switch (code) {
        case kOk:
            return "No error";
        case kBufferTooSmall:
            return "Buffer too small";
        case kManuDoesNotExist:
            return "Manufacturer does not exist";
        case kPortInUse:
            return "Port in use";
        case kTimeout:
            return "Time-out";
        case kInvalidIndex:
            return "Invalid index";
        case kInvalidReference:
            return "Invalid reference";
        case kBaudRateNotSupported:
            return "Baud rate not supported";
        default:
            return nullptr;
    }
}

[[maybe_unused]] uint32_t RateOfBit(CLUINT32 bit) {
    static const uint32_t kRates[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
    for (int i = 0; i < 8; ++i)
        if (bit == (1u << i)) return kRates[i];
    return 0;
}

}  // namespace

CL_EXPORT CLINT32 clSerialInit(CLUINT32 serialIndex, hSerRef* serialRefPtr) {
    std::lock_guard<std::mutex> lock(gMutex);
    Journal("clSerialInit %u", serialIndex);
    if (serialRefPtr == nullptr) return kInvalidReference;
    *serialRefPtr = nullptr;
#if CLLIB_FORM == 2
    if (gSelectedMaker.empty()) return kManuDoesNotExist;
#endif
    if (serialIndex >= PortCount()) return kInvalidIndex;
    for (Port* p : gPorts)
        if (p->index == serialIndex) return kPortInUse;
    const char* peerName = std::getenv("VR8200_CLLIB_PEER");
    auto peer = vr::cllib::CreatePeer(peerName != nullptr && peerName[0] != '\0' ? peerName : "loopback", serialIndex);
    if (!peer) return kInvalidIndex;
    gPorts.push_back(new Port{serialIndex, std::move(peer)});
    *serialRefPtr = gPorts.back();
    return kOk;
}

CL_EXPORT void clSerialClose(hSerRef serialRef) {
    std::lock_guard<std::mutex> lock(gMutex);
    Journal("clSerialClose");
    Port* p = Find(serialRef);
    if (p == nullptr) return;
    gPorts.erase(std::find(gPorts.begin(), gPorts.end(), p));
    delete p;
}

CL_EXPORT CLINT32 clSerialRead(hSerRef serialRef, CLINT8* buffer, CLUINT32* bufferSize, CLUINT32 timeoutMs) {
    vr::cllib::IClPeer* peer;
    {
        std::lock_guard<std::mutex> lock(gMutex);
        Journal("clSerialRead %u", bufferSize != nullptr ? *bufferSize : 0u);
        Port* p = Find(serialRef);
        if (p == nullptr || buffer == nullptr || bufferSize == nullptr) return kInvalidReference;
        peer = p->peer.get();
    }
    if (std::getenv("VR8200_CLLIB_INSTANT_READ") != nullptr && peer->Available() < *bufferSize) {
        *bufferSize = 0;  // one maker's library: success at once, nothing read
        return kOk;
    }
    if (peer->Read(buffer, *bufferSize, std::chrono::milliseconds(timeoutMs))) return kOk;
    *bufferSize = 0;
    return kTimeout;
}

#if CLLIB_FORM != 4
CL_EXPORT CLINT32 clSerialWrite(hSerRef serialRef, CLINT8* buffer, CLUINT32* bufferSize, CLUINT32 timeoutMs) {
    std::lock_guard<std::mutex> lock(gMutex);
    Journal("clSerialWrite %u %u", bufferSize != nullptr ? *bufferSize : 0u, timeoutMs);
    Port* p = Find(serialRef);
    if (p == nullptr || buffer == nullptr || bufferSize == nullptr) return kInvalidReference;
    p->peer->Write(buffer, *bufferSize);
    return kOk;
}
#endif

#if CLLIB_FORM != 4
CL_EXPORT CLINT32 clGetNumBytesAvail(hSerRef serialRef, CLUINT32* numBytes) {
    std::lock_guard<std::mutex> lock(gMutex);
    Port* p = Find(serialRef);
    if (p == nullptr || numBytes == nullptr) return kInvalidReference;
    *numBytes = static_cast<CLUINT32>(p->peer->Available());
    return kOk;
}

CL_EXPORT CLINT32 clFlushPort(hSerRef serialRef) {
    std::lock_guard<std::mutex> lock(gMutex);
    Journal("clFlushPort");
    Port* p = Find(serialRef);
    if (p == nullptr) return kInvalidReference;
    p->peer->Flush();
    return kOk;
}

CL_EXPORT CLINT32 clGetSupportedBaudRates(hSerRef serialRef, CLUINT32* baudRates) {
    std::lock_guard<std::mutex> lock(gMutex);
    Journal("clGetSupportedBaudRates");
    if (Find(serialRef) == nullptr || baudRates == nullptr) return kInvalidReference;
    *baudRates = ReportedBits();
    return kOk;
}

CL_EXPORT CLINT32 clSetBaudRate(hSerRef serialRef, CLUINT32 baudRate) {
    std::lock_guard<std::mutex> lock(gMutex);
    Journal("clSetBaudRate 0x%X", baudRate);
    Port* p = Find(serialRef);
    if (p == nullptr) return kInvalidReference;
    const uint32_t rate = RateOfBit(baudRate);
    if (rate == 0 || (EnvNumber("VR8200_CLLIB_SET_BITS", ReportedBits()) & baudRate) == 0) return kBaudRateNotSupported;
    p->peer->SetBaudRate(rate);
    return kOk;
}
#endif

#if CLLIB_FORM == 1 || CLLIB_FORM == 2
CL_EXPORT CLINT32 clGetNumSerialPorts(CLUINT32* numSerialPorts) {
    if (numSerialPorts == nullptr) return kInvalidReference;
    *numSerialPorts = PortCount();
    return kOk;
}

CL_EXPORT CLINT32 clGetSerialPortIdentifier(CLUINT32 serialIndex, CLINT8* portId, CLUINT32* bufferSize) {
    if (serialIndex >= PortCount()) return kInvalidIndex;
    return CopyText("Port #" + std::to_string(serialIndex), portId, bufferSize);
}

CL_EXPORT CLINT32 clGetManufacturerInfo(CLINT8* name, CLUINT32* bufferSize, CLUINT32* version) {
    if (version != nullptr) *version = 0x0110;
    return CopyText(Makers().front(), name, bufferSize);
}

CL_EXPORT CLINT32 clGetErrorText(CLINT32 errorCode, CLINT8* text, CLUINT32* textSize) {
    const char* t = ErrorText(errorCode);
    return t == nullptr ? kErrorNotFound : CopyText(t, text, textSize);
}
#endif

#if CLLIB_FORM == 2
CL_EXPORT CLINT32 clGetNumManufacturers(CLUINT32* count) {
    std::lock_guard<std::mutex> lock(gMutex);
    Journal("clGetNumManufacturers");
    if (count == nullptr) return kInvalidReference;
    *count = static_cast<CLUINT32>(Makers().size());
    return kOk;
}

// The tool passes a 128-byte buffer with its size and a further value it does not look at.
CL_EXPORT CLINT32 clGetManufacturer(CLUINT32 index, CLINT8* name, CLUINT32* nameSize, CLUINT32* version) {
    std::lock_guard<std::mutex> lock(gMutex);
    Journal("clGetManufacturer %u %u", index, nameSize != nullptr ? *nameSize : 0u);
    const auto makers = Makers();
    if (index >= makers.size()) return kInvalidIndex;
    if (version != nullptr) *version = 0x0200;
    return CopyText(makers[index], name, nameSize);
}

CL_EXPORT CLINT32 clSelectManufacturer(const CLINT8* name) {
    std::lock_guard<std::mutex> lock(gMutex);
    Journal("clSelectManufacturer %s", name != nullptr ? name : "(null)");
    if (name == nullptr) return kManuDoesNotExist;
    for (const auto& m : Makers()) {
        if (m == name) {
            gSelectedMaker = m;
            return kOk;
        }
    }
    return kManuDoesNotExist;
}
#endif

#if CLLIB_FORM == 3
CL_EXPORT CLINT32 clGetNumPorts(CLUINT32* ports) {
    std::lock_guard<std::mutex> lock(gMutex);
    Journal("clGetNumPorts");
    if (ports == nullptr) return kInvalidReference;
    *ports = PortCount();
    return kOk;
}

CL_EXPORT CLINT32 clGetPortInfo(CLUINT32 serialIndex, CLINT8* manufacturer, CLUINT32* nameBytes, CLINT8* portId,
                                CLUINT32* idBytes, CLUINT32* version) {
    std::lock_guard<std::mutex> lock(gMutex);
    Journal("clGetPortInfo %u", serialIndex);
    if (serialIndex >= PortCount()) return kInvalidIndex;
    const auto makers = Makers();
    if (version != nullptr) *version = 0x0110;
    const CLINT32 status = CopyText(makers[serialIndex % makers.size()], manufacturer, nameBytes);
    const CLINT32 idStatus = CopyText("Port #" + std::to_string(serialIndex), portId, idBytes);
    return status != kOk ? status : idStatus;
}

CL_EXPORT CLINT32 clGetErrorText(const CLINT8* manufacturer, CLINT32 errorCode, CLINT8* text, CLUINT32* textSize) {
    (void)manufacturer;
    const char* t = ErrorText(errorCode);
    return t == nullptr ? kErrorNotFound : CopyText(t, text, textSize);
}
#endif
