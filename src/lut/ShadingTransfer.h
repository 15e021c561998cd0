#pragma once
// The shading data between the tool and the camera: for each plane G, R, B its selection ("SDDS"),
// then for each entry 1 to 1024 the entry's selection ("SDDI") and its value ("SDD", set or
// queried); a write ends with "SDDU" = 0, which has the camera apply the new data.
//
// Every command's result is counted. An entry or plane the camera did not select gets no value
// command: it would read or overwrite what was selected before. Ten failures in a row end the
// transfer; so does the operator, between two entries. A write that ends early does not send
// "SDDU".

#include "lut/LutTransfer.h"
#include "lut/ShadingBuffer.h"

namespace vr::camera {
struct Services;
}

namespace vr::lut {

inline constexpr const char* kShadingReadText = "Now, reading camera shading data";
inline constexpr const char* kShadingWriteText = "Now, writing camera shading data";
inline constexpr const char* kShadingModeOff = "Shading Mode is OFF";
// A plane's selection and two commands for each of its entries.
inline constexpr int kShadingReadCommands = kShadingPlanes * (1 + 2 * kShadingEntries);
// The same and "SDDU".
inline constexpr int kShadingWriteCommands = kShadingReadCommands + 1;

// Queries "SDM" into `mode`; false when the camera did not answer it.
bool QueryShadingMode(camera::Services& services, int32_t& mode, const TransferTimeouts& timeouts = {});

// Reads the three planes into the buffer; an entry whose value does not come keeps its old one.
TransferReport ReadShadingFromCamera(camera::Services& services, ShadingBuffer& buffer,
                                     const TransferTimeouts& timeouts = {});

// Writes all 3072 entries, then "SDDU" = 0.
TransferReport WriteShadingToCamera(camera::Services& services, const ShadingBuffer& buffer,
                                    const TransferTimeouts& timeouts = {});

// "SDDA" = 0: the camera keeps its shading data in flash memory. 1 when it answered COMPLETE.
int StoreShadingInFlash(camera::Services& services, const TransferTimeouts& timeouts = {});

}  // namespace vr::lut
