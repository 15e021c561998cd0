#include "journal/Journal.h"

#include <cstdio>
#include <filesystem>
#include <utility>

#include "journal/Database.h"
#include "journal/Digest.h"
#include "platform/FileIo.h"
#include "platform/SetAside.h"

namespace vr::journal {
namespace {

// Files a read of the tool's own ever loads are far smaller; a digest of a bigger one is not kept.
constexpr size_t kMaxDigestBytes = 64u << 20;
constexpr int kMaxBadFiles = 1000;
constexpr std::chrono::seconds kRetryPause{1};
// How long the writer gathers entries into one transaction once the first is in: a load or a
// transfer makes one batch every so often instead of a transaction per line.
constexpr std::chrono::milliseconds kGather{100};

constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS entries(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    time TEXT NOT NULL,
    kind TEXT NOT NULL,
    model TEXT NOT NULL DEFAULT '',
    camera_id TEXT NOT NULL DEFAULT '',
    user_id TEXT NOT NULL DEFAULT '',
    link TEXT NOT NULL DEFAULT '',
    user TEXT NOT NULL DEFAULT '',
    host TEXT NOT NULL DEFAULT '',
    program TEXT NOT NULL DEFAULT '',
    name TEXT NOT NULL DEFAULT '',
    old_value TEXT,
    new_value TEXT,
    detail TEXT NOT NULL DEFAULT '',
    digest TEXT NOT NULL DEFAULT '',
    count INTEGER,
    ok INTEGER);
CREATE INDEX IF NOT EXISTS entries_by_time ON entries(time);
-- A snapshot's values, kept once however many snapshots found the camera the same.
CREATE TABLE IF NOT EXISTS snapshot_values(
    digest TEXT PRIMARY KEY,
    body TEXT NOT NULL) WITHOUT ROWID;
)";

bool Damaged(int rc) {
    const int primary = rc & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

std::string Joined(const std::vector<std::string>& values) {
    std::string body;
    for (const std::string& v : values) body += v + "\n";
    return body;
}

}  // namespace

Journal::Journal(std::string path, std::function<void(const std::string&)> onProblem)
    : path_(std::move(path)), onProblem_(std::move(onProblem)), thread_([this] { Run(); }) {}

Journal::~Journal() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Journal::Add(Entry entry) {
    bool first = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        first = pending_.empty();
        pending_.push_back(std::move(entry));
        if (pending_.size() > kMaxPending) {
            pending_.pop_front();
            ++lost_;
        }
    }
    // Only the first entry of a batch wakes the writer; the others join the batch it gathers. Waking
    // it for each would cost the camera's thread a switch per value on a machine of two cores.
    if (first) wake_.notify_one();
}

void Journal::Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    const size_t rounds = failedRounds_;
    ++flushing_;
    wake_.notify_all();
    idle_.wait(lock, [&] { return (pending_.empty() && inFlight_ == 0) || failedRounds_ != rounds; });
    --flushing_;
}

std::string Journal::Problem() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return problem_;
}

size_t Journal::Written() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return written_;
}

size_t Journal::Lost() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lost_;
}

int Journal::CreateSchema(Database& db) {
    return db.Exec(kSchema);
}

void Journal::Report(const std::string& text) {
    bool first = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        problem_ = text;
        first = !reported_;
        reported_ = true;
    }
    if (first && onProblem_) onProblem_(text);
}

bool Journal::OpenDatabase(Database& db) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    for (int attempt = 0; attempt < 2; ++attempt) {
        int rc = db.Open(path_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (rc == SQLITE_OK) {
            sqlite3_busy_timeout(db.Handle(), static_cast<int>(kBusyTimeout.count()));
            rc = db.Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
            if (rc == SQLITE_OK) rc = CreateSchema(db);
            if (rc == SQLITE_OK) {
                Statement check(db, "PRAGMA quick_check(1)");
                rc = check.Step();
                if (rc == SQLITE_ROW) rc = check.Text(0) == "ok" ? SQLITE_OK : SQLITE_CORRUPT;
            }
        }
        if (rc == SQLITE_OK) return true;
        const std::string why = db.IsOpen() ? db.Error() : sqlite3_errstr(rc);
        db.Close();
        if (!Damaged(rc) || attempt > 0) {
            Report("the journal " + path_ + " cannot be written (" + why + "); the camera work goes on without it");
            return false;
        }
        // The log and index beside a damaged file belong to it: they go aside with it.
        std::string aside;
        if (!platform::SetFileAside(path_, kMaxBadFiles, aside)) {
            Report("the journal " + path_ + " is damaged (" + why +
                   ") and could not be set aside; the camera work goes on without it");
            return false;
        }
        for (const char* suffix : {"-wal", "-shm"}) {
            const std::string beside = path_ + suffix;
            if (platform::FileExists(beside) && std::rename(beside.c_str(), (aside + suffix).c_str()) != 0 &&
                std::remove(beside.c_str()) != 0) {
                Report("the journal " + path_ + " was set aside as " + aside + ", but " + beside +
                       " could not be moved; the camera work goes on without a journal");
                return false;
            }
        }
        Report("the journal " + path_ + " was damaged (" + why + "); it has been set aside as " + aside +
               " and a new one started");
    }
    return false;
}

bool Journal::WriteBatch(Database& db, std::deque<Entry>& batch) {
    if (db.Exec("BEGIN IMMEDIATE") != SQLITE_OK) return false;
    Statement insert(db,
                     "INSERT INTO entries(time, kind, model, camera_id, user_id, link, user, host, program, name, "
                     "old_value, new_value, detail, digest, count, ok) "
                     "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16)");
    Statement values(db, "INSERT OR IGNORE INTO snapshot_values(digest, body) VALUES(?1, ?2)");
    bool ok = insert.Prepared() && values.Prepared();
    for (const Entry& e : batch) {
        if (!ok) break;
        if (!e.values.empty()) {
            values.Bind(1, e.digest);
            values.Bind(2, Joined(e.values));
            ok = values.Step() == SQLITE_DONE;
            values.Reset();
        }
        int n = 1;
        for (const std::string* text : {&e.time, &e.kind, &e.camera.model, &e.camera.cameraId, &e.camera.userId,
                                        &e.camera.link, &e.origin.user, &e.origin.host, &e.origin.program, &e.name})
            insert.Bind(n++, *text);
        insert.Bind(n++, e.oldValue);
        insert.Bind(n++, e.newValue);
        insert.Bind(n++, e.detail);
        insert.Bind(n++, e.digest);
        insert.Bind(n++, e.count);
        if (e.ok)
            insert.Bind(n++, static_cast<int64_t>(*e.ok ? 1 : 0));
        else
            insert.BindNull(n++);
        ok = ok && insert.Step() == SQLITE_DONE;
        insert.Reset();
    }
    if (ok && db.Exec("COMMIT") == SQLITE_OK) return true;
    db.Exec("ROLLBACK");
    return false;
}

void Journal::Run() {
    Database db;
    bool open = OpenDatabase(db);
    for (;;) {
        std::deque<Entry> batch;
        bool stopping = false;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || !pending_.empty(); });
            if (pending_.empty()) break;
            wake_.wait_for(lock, kGather, [&] { return stopping_ || flushing_ > 0; });
            batch.swap(pending_);
            inFlight_ = batch.size();
            stopping = stopping_;
        }
        // The digests are taken here, off the camera's path.
        for (Entry& e : batch) {
            if (!e.digestFile.empty()) {
                std::string bytes, error;
                if (platform::ReadWholeFile(e.digestFile, bytes, error, kMaxDigestBytes)) e.digest = Sha256Hex(bytes);
                e.digestFile.clear();
            }
            if (!e.digestValues.empty()) {
                e.digest = TableDigest(e.digestValues);
                e.digestValues.clear();
            }
            if (!e.values.empty() && e.digest.empty()) e.digest = Sha256Hex(Joined(e.values));
        }
        if (!open) open = OpenDatabase(db);
        bool ok = open && WriteBatch(db, batch);
        if (open && !ok)
            Report("the journal " + path_ + " cannot be written (" + db.Error() +
                   "); the camera work goes on without it");
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (ok) {
                written_ += batch.size();
                if (reported_) problem_.clear();
            } else if (stopping) {
                lost_ += batch.size();
            } else {
                // Kept, oldest first, for the next try.
                for (auto it = batch.rbegin(); it != batch.rend(); ++it) pending_.push_front(std::move(*it));
                while (pending_.size() > kMaxPending) {
                    pending_.pop_front();
                    ++lost_;
                }
                ++failedRounds_;
            }
            inFlight_ = 0;
        }
        idle_.notify_all();
        if (!ok && !stopping) {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait_for(lock, kRetryPause, [&] { return stopping_; });
        }
    }
    idle_.notify_all();
}

}  // namespace vr::journal
