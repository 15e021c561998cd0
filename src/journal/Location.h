#pragma once
// Where the journal is: given for one run (--journal), stored in the settings store (a shared
// folder for a whole line), or in the user's data folder.

#include <string>

namespace vr::platform {
class CRegistry;
}

namespace vr::journal {

// The settings store's value that moves the journal for every run of every program.
inline constexpr const char* kJournalFileSetting = "Journal File";
inline constexpr const char* kJournalFileName = "journal.sqlite";

// $XDG_DATA_HOME/vr8200-control/journal.sqlite, else ~/.local/share/vr8200-control/journal.sqlite.
std::string DefaultJournalPath();

// `given` when not empty, else the stored setting, else the default.
std::string JournalPath(const std::string& given, platform::CRegistry& store);

}  // namespace vr::journal
