#pragma once
// Looking back in a journal: its entries, a snapshot's values, the differences of two snapshots,
// and pruning what is older than a time. Opens a journal that exists; never creates one.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "journal/Database.h"
#include "journal/Entry.h"

namespace vr::journal {

struct Filter {
    std::string camera;  // a camera ID or a link; empty for every camera
    std::string since;   // in the journal's time form (Clock.h); empty for all
};

// One value that differs between two sets of "NAME=VALUE" values; a side without it has none.
struct Difference {
    std::string name;
    std::optional<std::string> a;
    std::optional<std::string> b;
};

// The values of `a` and `b` that differ or that only one has, in `a`'s order, then `b`'s.
std::vector<Difference> Compare(const std::vector<std::string>& a, const std::vector<std::string>& b);

class History {
public:
    // False, with the reason, when there is no journal at `path` or it cannot be read.
    bool Open(const std::string& path, std::string& error);

    // The entries, oldest first, without a snapshot's values.
    std::vector<Entry> List(const Filter& filter);
    // The snapshot entry `id` with its values; false (with the reason) for any other entry, or a
    // read that ended early.
    bool Snapshot(int64_t id, Entry& entry, std::string& error);
    // Deletes the entries older than `before` and the values only they held; the count deleted, or
    // -1 with the reason.
    int64_t Prune(const std::string& before, std::string& error);

private:
    Database db_;
};

}  // namespace vr::journal
