// The gamma (LUT) file reader on any text: every stored value within the table's range, a read to
// the end shows the tables as read, and what the writer makes of the tables reads back the same.

#include "FuzzCheck.h"
#include "lut/GammaFile.h"
#include "lut/PlainLutTables.h"

using namespace vr::lut;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PlainLutTables tables;
    const CsvReadResult result = ReadGammaText(vr::fuzz::AsText(data, size), tables);
    FUZZ_CHECK(result.entries >= 0 && result.entries <= kLutEntries);
    FUZZ_CHECK(result.ok || !result.messages.empty());
    FUZZ_CHECK(!result.ok || result.entries > 0);  // never a table from a file without an entry
    for (LutColour colour : kLutColours) {
        FUZZ_CHECK(tables.ShownAsRead(colour) == result.ok);
        for (int32_t value : tables.Table(colour)) FUZZ_CHECK(value >= 0 && value <= kLutMaxValue);
    }
    const std::string written =
        FormatGammaFile(tables.Table(LutColour::Red), tables.Table(LutColour::Green), tables.Table(LutColour::Blue));
    PlainLutTables again;
    const CsvReadResult reread = ReadGammaText(written, again);
    FUZZ_CHECK(reread.ok && reread.entries == kLutEntries && reread.messages.empty());
    for (LutColour colour : kLutColours) FUZZ_CHECK(again.Table(colour) == tables.Table(colour));
    return 0;
}
