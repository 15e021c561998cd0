#include "journal/History.h"

#include <map>

#include "journal/Journal.h"
#include "platform/FileIo.h"

namespace vr::journal {
namespace {

constexpr const char* kColumns =
    "id, time, kind, model, camera_id, user_id, link, user, host, program, name, old_value, new_value, detail, "
    "digest, count, ok";

Entry ReadEntry(const Statement& s) {
    Entry e;
    e.id = s.Number(0);
    int c = 1;
    for (std::string* text : {&e.time, &e.kind, &e.camera.model, &e.camera.cameraId, &e.camera.userId, &e.camera.link,
                              &e.origin.user, &e.origin.host, &e.origin.program, &e.name})
        *text = s.Text(c++);
    if (!s.IsNull(c)) e.oldValue = s.Text(c);
    ++c;
    if (!s.IsNull(c)) e.newValue = s.Text(c);
    ++c;
    e.detail = s.Text(c++);
    e.digest = s.Text(c++);
    if (!s.IsNull(c)) e.count = s.Number(c);
    ++c;
    if (!s.IsNull(c)) e.ok = s.Number(c) != 0;
    return e;
}

std::string NameOf(const std::string& line) {
    return line.substr(0, line.find('='));
}

std::string ValueOf(const std::string& line) {
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

}  // namespace

std::vector<Difference> Compare(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::map<std::string, std::string> inB;
    for (const std::string& line : b) inB[NameOf(line)] = ValueOf(line);
    std::map<std::string, bool> seen;
    std::vector<Difference> out;
    for (const std::string& line : a) {
        const std::string name = NameOf(line);
        seen[name] = true;
        const auto it = inB.find(name);
        if (it == inB.end())
            out.push_back({name, ValueOf(line), std::nullopt});
        else if (it->second != ValueOf(line))
            out.push_back({name, ValueOf(line), it->second});
    }
    for (const std::string& line : b)
        if (!seen.count(NameOf(line))) out.push_back({NameOf(line), std::nullopt, ValueOf(line)});
    return out;
}

bool History::Open(const std::string& path, std::string& error) {
    if (!platform::FileExists(path)) {
        error = "no journal at " + path;
        return false;
    }
    if (const int rc = db_.Open(path, SQLITE_OPEN_READWRITE); rc != SQLITE_OK) {
        error = path + ": " + sqlite3_errstr(rc);
        return false;
    }
    sqlite3_busy_timeout(db_.Handle(), static_cast<int>(Journal::kBusyTimeout.count()));
    Statement probe(db_, "SELECT count(*) FROM entries");
    if (!probe.Prepared() || probe.Step() != SQLITE_ROW) {
        error = path + ": " + db_.Error();
        db_.Close();
        return false;
    }
    return true;
}

std::vector<Entry> History::List(const Filter& filter) {
    Statement s(db_, std::string("SELECT ") + kColumns +
                         " FROM entries WHERE (?1 = '' OR camera_id = ?1 OR link = ?1) AND time >= ?2 ORDER BY id");
    s.Bind(1, filter.camera);
    s.Bind(2, filter.since);
    std::vector<Entry> entries;
    while (s.Step() == SQLITE_ROW) entries.push_back(ReadEntry(s));
    return entries;
}

bool History::Snapshot(int64_t id, Entry& entry, std::string& error) {
    Statement s(db_, std::string("SELECT ") + kColumns + " FROM entries WHERE id = ?1");
    s.Bind(1, id);
    if (s.Step() != SQLITE_ROW) {
        error = "no entry " + std::to_string(id) + " in the journal";
        return false;
    }
    entry = ReadEntry(s);
    if (entry.kind != kind::kSnapshot) {
        error = "entry " + std::to_string(id) + " is no snapshot (it is " + entry.kind + ")";
        return false;
    }
    if (entry.ok && !*entry.ok) {
        error = "snapshot " + std::to_string(id) + " is of a read that ended early (" + entry.detail + ")";
        return false;
    }
    Statement v(db_, "SELECT body FROM snapshot_values WHERE digest = ?1");
    v.Bind(1, entry.digest);
    if (v.Step() != SQLITE_ROW) {
        error = "the values of snapshot " + std::to_string(id) + " are missing from the journal";
        return false;
    }
    const std::string body = v.Text(0);
    entry.values.clear();
    size_t start = 0;
    while (start < body.size()) {
        size_t end = body.find('\n', start);
        if (end == std::string::npos) end = body.size();
        if (end > start) entry.values.push_back(body.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

int64_t History::Prune(const std::string& before, std::string& error) {
    if (db_.Exec("BEGIN IMMEDIATE") != SQLITE_OK) {
        error = db_.Error();
        return -1;
    }
    Statement del(db_, "DELETE FROM entries WHERE time < ?1");
    del.Bind(1, before);
    const bool deleted = del.Step() == SQLITE_DONE;
    const int64_t count = db_.Changes();
    if (!deleted ||
        db_.Exec("DELETE FROM snapshot_values WHERE digest NOT IN "
                 "(SELECT digest FROM entries WHERE kind = 'snapshot')") != SQLITE_OK ||
        db_.Exec("COMMIT") != SQLITE_OK) {
        error = db_.Error();
        db_.Exec("ROLLBACK");
        return -1;
    }
    // Giving the space back is worth a try; another program writing at the moment only defers it.
    db_.Exec("VACUUM");
    return count;
}

}  // namespace vr::journal
