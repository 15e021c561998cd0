#pragma once
// The camera's command vocabulary. A command is named everywhere by its id, its position in this
// table; only the wire carries the mnemonic.

#include <cstdint>
#include <string>

namespace vr::protocol {

enum class ValueKind : int32_t { Integer = 0, Text = 2 };

struct CommandTableEntry {
    uint32_t id;
    std::string mnemonic;
    ValueKind valueKind;
};

inline constexpr uint32_t kCommandCount = 446;

// Command ids the tool names directly.
namespace cmd {
inline constexpr uint32_t VN = 3, FPVN = 4, ID = 5, UD = 6, MD = 8, DV = 9, CBDRT = 11, CRS00 = 12;
inline constexpr uint32_t LRMIN = 25, PEMAX = 26, PEMIN = 27, GA = 47, AGCS = 46, AWRS = 58, AHRS = 59;
inline constexpr uint32_t SDRS = 67, SDDS = 68, SDDI = 69, SDD = 70, SDDU = 71, SDDA = 72, PGS = 75, PBS = 78;
inline constexpr uint32_t LUTIG = 96, LUTIR = 97, LUTIB = 98, LUTG = 99, LUTR = 100, LUTB = 101, GMA = 102;
inline constexpr uint32_t TMP0 = 103, CACS = 321, Unnamed = 322, LD = 386, SA = 387, EA = 388, SA00 = 389;
inline constexpr uint32_t ULCK = 391, ID00 = 392, MD00 = 393, BAS00 = 394, SDS00 = 436, PGS00 = 438;
inline constexpr uint32_t PBS00 = 440, XMLVR = 441, DV00 = 442;
}  // namespace cmd

// The whole table, in id order.
const CommandTableEntry* CommandTable();

// The id must lie in 0..445; callers pass ids from the tables or constants.
std::string GetCommandName(uint32_t id);

// Exact, case-sensitive match of the whole mnemonic, searched from id 0 upward; -1 when absent.
// The empty text finds the unnamed entry 322.
int32_t FindCommand(const std::string& mnemonic);

ValueKind GetValueKind(uint32_t id);
// Only the command engine changes a kind, and only for the duration of a text send.
void SetValueKind(uint32_t id, ValueKind kind);

}  // namespace vr::protocol
