#pragma once
// The camera's command vocabulary. A command is named everywhere by its id, its position in this
// table; only the wire carries the mnemonic.

#include <cstdint>
#include <string>

#include "protocol/CommandIds.h"

namespace vr::protocol {

enum class ValueKind : int32_t { Integer = 0, Text = 2 };

struct CommandTableEntry {
    uint32_t id;
    std::string mnemonic;
    ValueKind valueKind;
};

inline constexpr uint32_t kCommandCount = 446;

// The whole table, in id order.
const CommandTableEntry* CommandTable();

// The id must lie in 0..445; callers pass ids from the tables or constants.
std::string GetCommandName(uint32_t id);

// Exact, case-sensitive match of the whole mnemonic, searched from id 0 upward; -1 when absent.
// The empty text finds the unnamed entry 322.
int32_t FindCommand(const std::string& mnemonic);

// The kind a command's values have; the table never changes, so any thread may ask. A text sent to
// a number command is a kind of that one send (Command::SendCommandString), not of the command.
ValueKind GetValueKind(uint32_t id);

}  // namespace vr::protocol
