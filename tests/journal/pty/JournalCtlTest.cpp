// vr8200ctl with its change journal against the virtual camera over real pseudo-terminals: what
// each kind of work records, revert and export, a kill -9 in the middle of a load, journals that
// cannot be used, and two programs writing one journal at once.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <random>

#include "RunTool.h"
#include "journal/Database.h"
#include "journal/Digest.h"
#include "journal/History.h"

namespace vr::test {
namespace {

class JournalCtlTest : public CtlFixture {
protected:
    std::string Journal() const { return config / "journal.sqlite"; }

    std::vector<journal::Entry> Entries(const std::string& path = {}) {
        journal::History history;
        std::string error;
        EXPECT_TRUE(history.Open(path.empty() ? Journal() : path, error)) << error;
        return history.List({});
    }

    // The entries of each kind, in order.
    std::map<std::string, std::vector<journal::Entry>> ByKind() {
        std::map<std::string, std::vector<journal::Entry>> kinds;
        for (journal::Entry& e : Entries()) kinds[e.kind].push_back(e);
        return kinds;
    }

    std::string Dump() { return Run({"dump"}, 0).out; }
};

TEST_F(JournalCtlTest, EveryKindOfWorkIsRecordedWithItsCameraAndOrigin) {
    Start("KA", [](sim::SimOptions& o) { o.refuse = {"BL=77"}; });
    Run({"dump"}, 0);
    Run({"set", "GA=300", "UD=line 3", "BL=77"}, 1);
    Run({"save", config / "a.cam"}, 0);
    Run({"load", config / "a.cam"}, 0);
    Run({"--rate", "115200", "store-area", "2"}, 0);
    Run({"--rate", "115200", "load-area", "2"}, 0);
    Run({"onepush", "white-balance"}, 0);
    Run({"lut", "read", config / "g.csv"}, 0);
    Run({"lut", "write", config / "g.csv"}, 0);
    Run({"--rate", "115200", "--factory", "reset"}, 0);

    auto kinds = ByKind();
    const journal::Entry& first = kinds["snapshot"].at(0);
    EXPECT_EQ(first.camera.model, "VR-8200-KA");
    EXPECT_EQ(first.camera.link, camera->DevicePath());
    EXPECT_EQ(first.origin.program, "vr8200ctl");
    EXPECT_FALSE(first.origin.user.empty());
    EXPECT_FALSE(first.origin.host.empty());
    EXPECT_GT(first.count.value_or(0), 100);
    // The full reads of dump, save and load-area.
    EXPECT_EQ(kinds["snapshot"].size(), 3u);

    const auto& sets = kinds["set"];
    ASSERT_FALSE(sets.empty());
    EXPECT_EQ(sets[0].name, "GA");
    EXPECT_EQ(sets[0].oldValue, std::nullopt);  // a set from the command line replaces a value it never read
    EXPECT_EQ(sets[0].newValue, std::optional<std::string>("300"));
    EXPECT_EQ(kinds["text-written"].at(0).name, "UD");
    EXPECT_EQ(kinds["text-written"].at(0).newValue, std::optional<std::string>("line 3"));
    // From here on the camera is known by its user ID too.
    EXPECT_EQ(kinds["refused"].at(0).camera.userId, "line 3");
    EXPECT_EQ(kinds["refused"].at(0).newValue, std::optional<std::string>("BL=77"));
    EXPECT_FALSE(kinds["refused"].at(0).detail.empty());

    const std::string fileDigest = journal::Sha256Hex(config.ReadFile("a.cam"));
    ASSERT_EQ(kinds["settings-saved"].size(), 1u);
    EXPECT_EQ(kinds["settings-saved"][0].digest, fileDigest);
    ASSERT_EQ(kinds["settings-loaded"].size(), 1u);
    const journal::Entry& loaded = kinds["settings-loaded"][0];
    EXPECT_EQ(loaded.digest, fileDigest);
    EXPECT_EQ(loaded.ok, std::optional<bool>(true));
    EXPECT_GT(loaded.count.value_or(0), 100);

    EXPECT_EQ(kinds["area-stored"].at(0).name, "2");
    EXPECT_EQ(kinds["area-loaded"].at(0).name, "2");
    EXPECT_EQ(kinds["reset"].size(), 1u);
    ASSERT_EQ(kinds["one-push"].size(), 1u);
    EXPECT_EQ(kinds["one-push"][0].ok, std::optional<bool>(true));
    EXPECT_NE(kinds["one-push"][0].detail.find("GAR="), std::string::npos) << kinds["one-push"][0].detail;
    ASSERT_EQ(kinds["tables-written"].size(), 1u);
    EXPECT_EQ(kinds["tables-written"][0].name, "LUT");
    EXPECT_EQ(kinds["tables-written"][0].digest.size(), 64u);
    EXPECT_GT(kinds["tables-written"][0].count.value_or(0), 0);
}

TEST_F(JournalCtlTest, RevertPreviewsThenBringsTheCameraBackToTheSnapshot) {
    Start();
    const std::string before = Dump();
    Run({"set", "GA=300", "BL=10"}, 0);
    const std::string changed = Dump();
    ASSERT_NE(changed, before);

    auto preview = Run({"revert", "--to", "1"}, 0);
    EXPECT_EQ(Lines(preview.out), (Strings{"GA snapshot=100 now=300", "BL snapshot=0 now=10"})) << preview.out;
    EXPECT_TRUE(Contains(preview.err, "nothing was written; --yes writes these 2 values")) << preview.err;
    EXPECT_EQ(Dump(), changed);

    Run({"--yes", "revert", "--to", "1"}, 0);
    EXPECT_EQ(Dump(), before);
    Run({"history", "diff", "1", "now"}, 0);

    Run({"revert", "--to", "2"}, 2);  // a set, not a snapshot
    Run({"revert", "--to", "x"}, 2);
}

TEST_F(JournalCtlTest, AnExportedSnapshotLoadsTheCameraBackAndDiffsName) {
    Start();
    const std::string before = Dump();
    Run({"set", "GA=300", "BL=5"}, 0);
    Run({"dump"}, 0);
    auto diff = Run({"history", "diff", "1", "4"}, 1);
    EXPECT_EQ(Lines(diff.out), (Strings{"GA 1=100 4=300", "BL 1=0 4=5"})) << diff.out;

    Run({"history", "export", "1", config / "back.cam"}, 0);
    Run({"history", "export", "1", config / "back.cam"}, 2);  // exists: needs --yes
    Run({"load", config / "back.cam"}, 0);
    EXPECT_EQ(Dump(), before);

    auto listed = Run({"--json", "history", "--camera", camera->DevicePath(), "--since", "1d"}, 0);
    EXPECT_TRUE(Contains(listed.out, "\"kind\":\"settings-loaded\"")) << listed.out;
    EXPECT_EQ(Lines(Run({"history", "--since", "2000-01-01"}, 0).out).size(), Entries().size());
    EXPECT_TRUE(Run({"history", "--camera", "nobody"}, 0).out.empty());
    Run({"history", "--since", "last week"}, 2);

    auto pruned = Run({"history", "prune", "--before", "2999-01-01"}, 0);
    EXPECT_TRUE(Contains(pruned.out, "pruned=")) << pruned.out;
    EXPECT_TRUE(Entries().empty());
}

TEST_F(JournalCtlTest, AKillDuringALoadLeavesAJournalThatOpensWithEveryEarlierEntry) {
    // Paced: a load takes long enough to be killed in the middle.
    Start("KA", [](sim::SimOptions& o) { o.pace = true; });
    Run({"save", config / "a.cam"}, 0);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> after(50, 1500);
    for (int round = 0; round < 5; ++round) {
        const std::vector<journal::Entry> earlier = Entries();
        RunToolWhile(
            {"--port", camera->DevicePath(), "load", config / "a.cam"}, config.Path(), std::nullopt,
            [&](pid_t pid) {
                std::this_thread::sleep_for(std::chrono::milliseconds(after(random)));
                ::kill(pid, SIGKILL);
            },
            std::source_location::current());
        journal::Database db;
        ASSERT_EQ(db.Open(Journal(), SQLITE_OPEN_READWRITE), SQLITE_OK);
        journal::Statement check(db, "PRAGMA integrity_check");
        ASSERT_EQ(check.Step(), SQLITE_ROW);
        EXPECT_EQ(check.Text(0), "ok");
        const std::vector<journal::Entry> now = Entries();
        ASSERT_GE(now.size(), earlier.size());
        for (size_t i = 0; i < earlier.size(); ++i) EXPECT_EQ(now[i].id, earlier[i].id);
    }
    // And the next run writes on.
    const size_t count = Entries().size();
    Run({"set", "GA=200"}, 0);
    EXPECT_EQ(Entries().size(), count + 1);
}

TEST_F(JournalCtlTest, AJournalThatCannotBeUsedIsToldOnceAndTheCameraWorkGoesOn) {
    Start();
    config.WriteFile("damaged.sqlite", std::string(4096, '\x7f'));
    config.WriteFile("a-file", "");
    struct Case {
        std::string journal;
        std::string told;
    };
    std::vector<Case> cases = {{config / "damaged.sqlite", "set aside as " + config / "damaged.sqlite.bad"},
                               {config / "a-file/journal.sqlite", "cannot be written"}};
    if (::geteuid() != 0) {
        Run({"--journal", config / "read-only.sqlite", "set", "GA=1"}, 0);
        ::chmod((config / "read-only.sqlite").c_str(), 0444);
        cases.push_back({config / "read-only.sqlite", "cannot be written"});
    }
    int value = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.journal);
        ++value;
        auto r = Run({"--journal", c.journal, "load-area", "1"}, 0);  // a read of every setting and a load
        Run({"--journal", c.journal, "set", "GA=" + std::to_string(value)}, std::nullopt);
        EXPECT_TRUE(Contains(Run({"--no-journal", "get", "GA"}, 0).out, "GA=" + std::to_string(value)));
        int told = 0;
        for (const std::string& line : Lines(r.err)) told += Contains(line, "journal") ? 1 : 0;
        EXPECT_EQ(told, 1) << r.err;
        EXPECT_TRUE(Contains(r.err, c.told)) << r.err;
    }
    // The damaged one was replaced by a journal that works.
    Strings kinds;
    for (const journal::Entry& e : Entries(config / "damaged.sqlite")) kinds.push_back(e.kind);
    EXPECT_EQ(kinds, (Strings{"area-loaded", "snapshot", "set"}));
}

TEST_F(JournalCtlTest, TwoProgramsWritingOneJournalAtOnceBothSucceed) {
    auto second = StartCamera([](sim::SimOptions& o) { o.pace = true; });
    camera = StartCamera([](sim::SimOptions& o) { o.pace = true; });
    Run({"save", config / "a.cam"}, 0);
    const TempDir outs;
    const size_t before = Entries().size();
    const pid_t a = SpawnTool({"--port", camera->DevicePath(), "load", config / "a.cam"}, config.Path(), outs / "a",
                              outs / "a.err");
    const pid_t b = SpawnTool({"--port", second->DevicePath(), "load", config / "a.cam"}, config.Path(), outs / "b",
                              outs / "b.err");
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    EXPECT_EQ(Reap(a), 0) << outs.ReadFile("a.err");
    EXPECT_EQ(Reap(b), 0) << outs.ReadFile("b.err");
    EXPECT_EQ(outs.ReadFile("a.err") + outs.ReadFile("b.err"), "");
    std::map<std::string, int> loads;
    const std::vector<journal::Entry> all = Entries();
    for (size_t i = before; i < all.size(); ++i)
        if (all[i].kind == "settings-loaded") ++loads[all[i].camera.link];
    EXPECT_EQ(loads[camera->DevicePath()], 1);
    EXPECT_EQ(loads[second->DevicePath()], 1);
}

}  // namespace
}  // namespace vr::test
