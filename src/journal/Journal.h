#pragma once
// The change journal: an SQLite database of entries (Entry.h) that any number of programs may write
// at once. Entries are handed over in memory and written in batches, one transaction each, on a
// thread of the journal's own, so the camera's commands never wait for the disk. The database runs
// in WAL mode: a program killed at any point loses at most the batch it was writing, and the file
// stays whole.
//
// A journal that cannot be opened or written (a read-only file or folder, a full disk, one locked by
// another program for too long) is reported once through `onProblem`, on the journal's thread, and
// everything else goes on; a file that is no database or a damaged one is set aside as "FILE.bad"
// (".bad.2", ... beside earlier ones) and a new journal started, which is reported too.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "journal/Entry.h"

namespace vr::journal {

class Database;

class Journal {
public:
    // How long a write waits for another program's transaction before it counts as failing.
    static constexpr std::chrono::milliseconds kBusyTimeout{5000};
    // Entries kept in memory while the journal cannot be written; older ones go beyond this.
    static constexpr size_t kMaxPending = 100000;

    // Opens (or creates, with its folder) the journal at `path` on its own thread.
    Journal(std::string path, std::function<void(const std::string&)> onProblem = {});
    // Writes what is still pending (one last try), then stops.
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Hands an entry over; never waits for the database.
    void Add(Entry entry);
    // Waits until every entry added so far was written or given up (the end of a run, tests).
    void Flush();

    const std::string& Path() const { return path_; }
    // Empty while all is well; else what went wrong last.
    std::string Problem() const;
    // Entries written since the start, and entries that could not be written.
    size_t Written() const;
    size_t Lost() const;

    // Creates the tables of a new journal; used by the reader as well. SQLITE_OK or the failure.
    static int CreateSchema(Database& db);

private:
    void Run();
    bool OpenDatabase(Database& db);
    bool WriteBatch(Database& db, std::deque<Entry>& batch);
    void Report(const std::string& text);

    const std::string path_;
    const std::function<void(const std::string&)> onProblem_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Entry> pending_;
    size_t inFlight_ = 0;
    size_t written_ = 0;
    size_t lost_ = 0;
    size_t failedRounds_ = 0;  // batches that could not be written: a Flush stops waiting
    bool stopping_ = false;
    int flushing_ = 0;  // callers waiting in Flush: the writer gathers no longer
    bool reported_ = false;
    std::string problem_;
    std::thread thread_;
};

}  // namespace vr::journal
