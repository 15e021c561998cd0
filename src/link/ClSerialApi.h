#pragma once
// The C interface of the Camera Link serial libraries as the links call it: 32-bit types (some
// old headers say unsigned long, which is 64-bit on Linux x86_64 and wrong there), the entry
// points' pointer types, status codes and the one-bit-per-rate code.

#include <cstdint>

namespace vr::link::cl {

using hSerRef = void*;
using CLINT32 = int32_t;
using CLUINT32 = uint32_t;
using CLINT8 = char;

using SerialInitFn = CLINT32 (*)(CLUINT32 serialIndex, hSerRef* serialRef);
using SerialReadFn = CLINT32 (*)(hSerRef serialRef, CLINT8* buffer, CLUINT32* bufferSize, CLUINT32 timeoutMs);
using SerialWriteFn = CLINT32 (*)(hSerRef serialRef, CLINT8* buffer, CLUINT32* bufferSize, CLUINT32 timeoutMs);
using SerialCloseFn = void (*)(hSerRef serialRef);
using GetNumSerialPortsFn = CLINT32 (*)(CLUINT32* numSerialPorts);
using GetSerialPortIdentifierFn = CLINT32 (*)(CLUINT32 serialIndex, CLINT8* portId, CLUINT32* bufferSize);
using GetNumBytesAvailFn = CLINT32 (*)(hSerRef serialRef, CLUINT32* numBytes);
using FlushPortFn = CLINT32 (*)(hSerRef serialRef);
using GetSupportedBaudRatesFn = CLINT32 (*)(hSerRef serialRef, CLUINT32* baudRates);
using SetBaudRateFn = CLINT32 (*)(hSerRef serialRef, CLUINT32 baudRate);
using GetErrorTextFn = CLINT32 (*)(CLINT32 errorCode, CLINT8* text, CLUINT32* textSize);
// The manufacturer selection of the 2001 generation.
using GetNumManufacturersFn = CLINT32 (*)(CLUINT32* count);
using GetManufacturerFn = CLINT32 (*)(CLUINT32 index, CLINT8* name, CLUINT32* nameSize, CLUINT32* version);
using SelectManufacturerFn = CLINT32 (*)(const CLINT8* name);
// The dispatcher of ver. 1.1.
using GetNumPortsFn = CLINT32 (*)(CLUINT32* ports);
using GetPortInfoFn = CLINT32 (*)(CLUINT32 serialIndex, CLINT8* manufacturer, CLUINT32* nameBytes, CLINT8* portId,
                                  CLUINT32* idBytes, CLUINT32* version);
using GetErrorTextAllFn = CLINT32 (*)(const CLINT8* manufacturer, CLINT32 errorCode, CLINT8* text, CLUINT32* textSize);

inline constexpr CLINT32 kErrNone = 0;
inline constexpr CLINT32 kErrBufferTooSmall = -10001;
inline constexpr CLINT32 kErrManuDoesNotExist = -10002;
inline constexpr CLINT32 kErrPortInUse = -10003;
inline constexpr CLINT32 kErrTimeout = -10004;
inline constexpr CLINT32 kErrInvalidIndex = -10005;
inline constexpr CLINT32 kErrInvalidReference = -10006;
inline constexpr CLINT32 kErrErrorNotFound = -10007;
inline constexpr CLINT32 kErrBaudRateNotSupported = -10008;
inline constexpr CLINT32 kErrOutOfMemory = -10009;
inline constexpr CLINT32 kErrUnableToLoadDll = -10098;
inline constexpr CLINT32 kErrFunctionNotFound = -10099;

// Buffer size the links pass for names and identifiers.
inline constexpr CLUINT32 kNameBufferSize = 128;

struct BaudBit {
    uint32_t rate;
    CLUINT32 bit;
};
inline constexpr BaudBit kBaudBits[] = {
    {9600, 0x01},   {19200, 0x02},  {38400, 0x04},  {57600, 0x08},
    {115200, 0x10}, {230400, 0x20}, {460800, 0x40}, {921600, 0x80},
};
// Some libraries report bits above 0x80 and then refuse those rates.
inline constexpr CLUINT32 kBaudBitMask = 0xFF;

// The bit of a rate; 0 (never supported) for a rate the interface does not know.
constexpr CLUINT32 BaudRateBit(uint32_t rate) {
    for (const auto& b : kBaudBits)
        if (b.rate == rate) return b.bit;
    return 0;
}

}  // namespace vr::link::cl
