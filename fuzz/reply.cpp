// The reply parser: any line the camera (or the noise on its line) may send.

#include "FuzzCheck.h"
#include "protocol/Command.h"

using vr::protocol::Command;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(vr::fuzz::AsText(data, size));
    const vr::protocol::ParsedReply r = Command::ParseReply(line);
    FUZZ_CHECK(r.raw.find_first_of(" \r\n") == std::string::npos);
    FUZZ_CHECK(r.separator.empty() || r.separator == "=" || r.separator == "?");
    FUZZ_CHECK(r.separator.empty() || r.failed || r.commandId >= 0);
    FUZZ_CHECK(r.separator.empty() == r.name.empty() || !r.separator.empty());
    if (!r.failed) FUZZ_CHECK(vr::protocol::FindCommand(r.name) == r.commandId);

    int32_t cmdId = 0, intValue = 0;
    std::string name, textValue;
    const int ok = Command::ParseLine(line, cmdId, name, intValue, textValue);
    FUZZ_CHECK(ok == (r.failed ? 0 : 1));
    FUZZ_CHECK(cmdId == r.commandId && name == r.name);

    // What the operator reads of a line is one line of printable characters.
    const std::string shown = Command::Printable(line);
    FUZZ_CHECK(!vr::fuzz::HasControlCharacter(shown));
    FUZZ_CHECK(shown.size() >= line.size());
    return 0;
}
