// The shading file reader on any text: a failed read leaves the buffer as it was, no more entries
// than a plane holds are taken and none beyond the last line read, and what the writer makes of a
// buffer reads back the same.

#include <memory>

#include "FuzzCheck.h"
#include "lut/ShadingFile.h"

using namespace vr::lut;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto buffer = std::make_unique<ShadingBuffer>();
    for (auto& plane : *buffer) plane.fill(4096);
    const auto before = std::make_unique<ShadingBuffer>(*buffer);
    const CsvReadResult result = ReadShadingText(vr::fuzz::AsText(data, size), *buffer);
    FUZZ_CHECK(result.entries >= 0 && result.entries <= result.lines && result.lines <= kShadingEntries);
    FUZZ_CHECK(!result.ok || result.entries > 0);  // never a table from a file without an entry
    if (!result.ok) {
        FUZZ_CHECK(*buffer == *before);
        FUZZ_CHECK(!result.messages.empty());
    }
    for (const auto& plane : *buffer)
        for (size_t i = static_cast<size_t>(result.lines); i < plane.size(); ++i) FUZZ_CHECK(plane[i] == 4096);

    auto again = std::make_unique<ShadingBuffer>();
    const CsvReadResult reread = ReadShadingText(FormatShadingFile(*buffer), *again);
    FUZZ_CHECK(reread.ok && reread.entries == kShadingEntries && reread.messages.empty());
    FUZZ_CHECK(*again == *buffer);
    return 0;
}
