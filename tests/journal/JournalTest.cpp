// The journal on files of its own: entries written off the caller's thread and read back, snapshots
// kept once, a damaged, read-only or busy file, two writers at once, pruning, and the times
// `history` takes.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"
#include "journal/Clock.h"
#include "journal/Database.h"
#include "journal/History.h"
#include "journal/Journal.h"

namespace vr::journal {
namespace {

using test::TempDir;

Entry Set(const std::string& name, const std::string& value, const std::string& time = Now()) {
    Entry e;
    e.time = time;
    e.kind = kind::kSet;
    e.camera = {"VR-8200-KA", "CAM-1", "", "/dev/ttyUSB0"};
    e.origin = {"op", "line3", "vr8200ctl"};
    e.name = name;
    e.newValue = value;
    e.ok = true;
    return e;
}

Entry Snap(std::vector<std::string> values, const std::string& time = Now()) {
    Entry e = Set("", "", time);
    e.kind = kind::kSnapshot;
    e.newValue.reset();
    e.values = std::move(values);
    e.count = static_cast<int64_t>(e.values.size());
    return e;
}

std::vector<Entry> All(const std::string& path) {
    History history;
    std::string error;
    EXPECT_TRUE(history.Open(path, error)) << error;
    return history.List({});
}

int64_t CountRows(const std::string& path, const std::string& table) {
    Database db;
    EXPECT_EQ(db.Open(path, SQLITE_OPEN_READONLY), SQLITE_OK);
    Statement s(db, "SELECT count(*) FROM " + table);
    EXPECT_EQ(s.Step(), SQLITE_ROW);
    return s.Number(0);
}

struct Reports {
    std::vector<std::string> told;
    std::function<void(const std::string&)> Sink() {
        return [this](const std::string& text) { told.push_back(text); };
    }
};

TEST(Journal, EntriesComeBackAsWrittenAndEqualSnapshotsAreKeptOnce) {
    const TempDir dir;
    const std::string path = dir / "sub/folder/journal.sqlite";  // the folder is made
    {
        Journal journal(path);
        Entry refused = Set("GA", "GA=9999");
        refused.kind = kind::kRefused;
        refused.detail = "Parameter Error";
        refused.ok = false;
        refused.oldValue = "100";
        journal.Add(Snap({"GA=100", "BL=0"}));
        journal.Add(refused);
        journal.Add(Snap({"GA=100", "BL=0"}));
        journal.Add(Snap({"GA=300", "BL=0"}));
        journal.Flush();
        EXPECT_EQ(journal.Written(), 4u);
        EXPECT_TRUE(journal.Problem().empty()) << journal.Problem();
    }
    const std::vector<Entry> entries = All(path);
    ASSERT_EQ(entries.size(), 4u);
    const Entry& r = entries[1];
    EXPECT_EQ(r.kind, kind::kRefused);
    EXPECT_EQ(r.name, "GA");
    EXPECT_EQ(r.oldValue, std::optional<std::string>("100"));
    EXPECT_EQ(r.newValue, std::optional<std::string>("GA=9999"));
    EXPECT_EQ(r.detail, "Parameter Error");
    EXPECT_EQ(r.ok, std::optional<bool>(false));
    EXPECT_EQ(r.camera.cameraId, "CAM-1");
    EXPECT_EQ(r.origin.program, "vr8200ctl");
    EXPECT_FALSE(entries[0].count == std::nullopt);
    EXPECT_EQ(entries[0].digest, entries[2].digest);
    EXPECT_NE(entries[0].digest, entries[3].digest);
    EXPECT_EQ(CountRows(path, "snapshot_values"), 2);

    History history;
    std::string error;
    ASSERT_TRUE(history.Open(path, error)) << error;
    Entry snapshot;
    ASSERT_TRUE(history.Snapshot(entries[3].id, snapshot, error)) << error;
    EXPECT_EQ(snapshot.values, (std::vector<std::string>{"GA=300", "BL=0"}));
    EXPECT_FALSE(history.Snapshot(entries[1].id, snapshot, error));
    EXPECT_NE(error.find("no snapshot"), std::string::npos) << error;
}

TEST(Journal, ListFiltersByCameraAndTime) {
    const TempDir dir;
    const std::string path = dir / "journal.sqlite";
    {
        Journal journal(path);
        journal.Add(Set("GA", "1", "2026-01-01T00:00:00.000Z"));
        Entry other = Set("GA", "2", "2026-02-01T00:00:00.000Z");
        other.camera = {"VR-8200-KB", "", "", "/dev/ttyUSB1"};
        journal.Add(other);
        journal.Add(Set("GA", "3", "2026-03-01T00:00:00.000Z"));
    }
    History history;
    std::string error;
    ASSERT_TRUE(history.Open(path, error)) << error;
    EXPECT_EQ(history.List({"CAM-1", ""}).size(), 2u);
    EXPECT_EQ(history.List({"/dev/ttyUSB1", ""}).size(), 1u);
    EXPECT_EQ(history.List({"", "2026-01-15T00:00:00.000Z"}).size(), 2u);
    EXPECT_EQ(history.List({"CAM-1", "2026-01-15T00:00:00.000Z"}).size(), 1u);
}

TEST(Journal, PruneDropsOldEntriesAndTheSnapshotsOnlyTheyHeld) {
    const TempDir dir;
    const std::string path = dir / "journal.sqlite";
    {
        Journal journal(path);
        journal.Add(Snap({"GA=1"}, "2025-01-01T00:00:00.000Z"));
        journal.Add(Snap({"GA=2"}, "2025-01-02T00:00:00.000Z"));
        journal.Add(Snap({"GA=2"}, "2026-06-01T00:00:00.000Z"));
        journal.Add(Set("GA", "3", "2026-06-02T00:00:00.000Z"));
    }
    History history;
    std::string error;
    ASSERT_TRUE(history.Open(path, error)) << error;
    EXPECT_EQ(history.Prune("2026-01-01T00:00:00.000Z", error), 2) << error;
    const std::vector<Entry> left = history.List({});
    ASSERT_EQ(left.size(), 2u);
    Entry snapshot;
    EXPECT_TRUE(history.Snapshot(left[0].id, snapshot, error)) << error;  // its values are still there
    EXPECT_EQ(CountRows(path, "snapshot_values"), 1);
}

TEST(Journal, ADamagedFileIsSetAsideOnceAndANewOneStarted) {
    const TempDir dir;
    const std::string path = dir / "journal.sqlite";
    dir.WriteFile("journal.sqlite", std::string(8192, 'x'));
    Reports reports;
    {
        Journal journal(path, reports.Sink());
        journal.Add(Set("GA", "400"));
        journal.Add(Set("GA", "500"));
        journal.Flush();
        EXPECT_EQ(journal.Written(), 2u);
    }
    ASSERT_EQ(reports.told.size(), 1u);
    EXPECT_NE(reports.told[0].find("set aside as " + path + ".bad"), std::string::npos) << reports.told[0];
    EXPECT_EQ(dir.ReadFile("journal.sqlite.bad"), std::string(8192, 'x'));
    EXPECT_EQ(All(path).size(), 2u);
}

TEST(Journal, AJournalThatCannotBeWrittenIsToldOnceAndNeverHoldsTheCaller) {
    const TempDir dir;
    // A folder that is a file: no journal can be made there, not even by root.
    dir.WriteFile("file", "");
    Reports reports;
    {
        Journal journal(dir / "file/journal.sqlite", reports.Sink());
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 1000; ++i) journal.Add(Set("GA", std::to_string(i)));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        journal.Flush();
        journal.Add(Set("GA", "x"));
        journal.Flush();
        EXPECT_FALSE(journal.Problem().empty());
        EXPECT_EQ(journal.Written(), 0u);
    }
    EXPECT_EQ(reports.told.size(), 1u);
}

TEST(Journal, EntriesWaitOutAnotherProgramsLongTransaction) {
    const TempDir dir;
    const std::string path = dir / "journal.sqlite";
    { Journal(path).Add(Set("GA", "1")); }
    Database other;
    ASSERT_EQ(other.Open(path, SQLITE_OPEN_READWRITE), SQLITE_OK);
    ASSERT_EQ(other.Exec("BEGIN IMMEDIATE"), SQLITE_OK);
    Reports reports;
    {
        Journal journal(path, reports.Sink());
        journal.Add(Set("GA", "2"));
        // Locked beyond the busy time-out: told, kept, and written once the lock goes.
        const auto deadline = std::chrono::steady_clock::now() + 6 * Journal::kBusyTimeout;
        while (journal.Problem().empty() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_NE(journal.Problem().find("locked"), std::string::npos) << journal.Problem();
        ASSERT_EQ(other.Exec("COMMIT"), SQLITE_OK);
        journal.Add(Set("GA", "3"));
        journal.Flush();
        journal.Flush();
    }
    EXPECT_EQ(reports.told.size(), 1u);
    EXPECT_EQ(All(path).size(), 3u);
}

TEST(Journal, TwoWritersAtOnceBothKeepEveryEntry) {
    const TempDir dir;
    const std::string path = dir / "journal.sqlite";
    constexpr int kEach = 500;
    auto write = [&](const std::string& name) {
        Journal journal(path);
        for (int i = 0; i < kEach; ++i) {
            journal.Add(Set(name, std::to_string(i)));
            if (i % 50 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    };
    std::thread a(write, "GA"), b(write, "BL");
    a.join();
    b.join();
    EXPECT_EQ(All(path).size(), 2u * kEach);
}

TEST(Journal, CompareListsChangedAndOneSidedValuesInOrder) {
    const auto d = Compare({"GA=1", "BL=2", "TM=0"}, {"TM=0", "GA=5", "NEW=7"});
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].name, "GA");
    EXPECT_EQ(d[0].a, std::optional<std::string>("1"));
    EXPECT_EQ(d[0].b, std::optional<std::string>("5"));
    EXPECT_EQ(d[1].name, "BL");
    EXPECT_EQ(d[1].b, std::nullopt);
    EXPECT_EQ(d[2].name, "NEW");
    EXPECT_EQ(d[2].a, std::nullopt);
}

TEST(Journal, TimesTakeDatesStampsAndSpans) {
    using namespace std::chrono;
    const auto now = sys_days{year{2026} / 12 / 7} + hours(18);
    const struct {
        const char* text;
        const char* want;  // nullptr: refused
    } cases[] = {
        {"2026-12-01", "2026-12-01T00:00:00.000Z"},
        {"2026-12-01T08:30", "2026-12-01T08:30:00.000Z"},
        {"2026-12-01 08:30:15Z", "2026-12-01T08:30:15.000Z"},
        {"7d", "2026-11-30T18:00:00.000Z"},
        {"12h", "2026-12-07T06:00:00.000Z"},
        {"30m", "2026-12-07T17:30:00.000Z"},
        {"2026-13-01", nullptr},
        {"2026-12-01T24:00", nullptr},
        {"yesterday", nullptr},
        {"7w", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const auto got = ParseTime(c.text, now);
        if (c.want == nullptr)
            EXPECT_EQ(got, std::nullopt) << c.text;
        else
            EXPECT_EQ(got, std::optional<std::string>(c.want)) << c.text;
    }
    EXPECT_EQ(FormatTime(now + milliseconds(5)), "2026-12-07T18:00:00.005Z");
}

}  // namespace
}  // namespace vr::journal
