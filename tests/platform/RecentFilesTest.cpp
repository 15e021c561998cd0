// The Recent list of settings files and the store values beside the table.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/RecentFiles.h"
#include "platform/Registry.h"

using namespace vr;
using Strings = std::vector<std::string>;

namespace {

TEST(RecentFilesTest, NewestFirstWithoutDuplicatesAtMostFiveAndKeptInTheStore) {
    test::TempDir dir;
    {
        platform::CRegistry registry(dir.Path());
        platform::RecentFiles recent(registry);
        EXPECT_TRUE(recent.Paths().empty());
        for (const char* p : {"/d/1.cam", "/d/2.cam", "/d/3.cam"}) recent.Add(p);
        EXPECT_EQ(recent.Paths(), (Strings{"/d/3.cam", "/d/2.cam", "/d/1.cam"}));
        recent.Add("/d/./1.cam");  // the same file again moves to the top, once
        EXPECT_EQ(recent.Paths(), (Strings{"/d/1.cam", "/d/3.cam", "/d/2.cam"}));
        for (const char* p : {"/d/4.cam", "/d/5.cam", "/d/6.cam"}) recent.Add(p);
        EXPECT_EQ(recent.Paths(), (Strings{"/d/6.cam", "/d/5.cam", "/d/4.cam", "/d/1.cam", "/d/3.cam"}));
        recent.Remove("/d/4.cam");
        recent.Remove("/d/never.cam");
        recent.Add("");
        EXPECT_EQ(recent.Paths(), (Strings{"/d/6.cam", "/d/5.cam", "/d/1.cam", "/d/3.cam"}));
    }
    platform::CRegistry registry(dir.Path());
    EXPECT_EQ(platform::RecentFiles(registry).Paths(), (Strings{"/d/6.cam", "/d/5.cam", "/d/1.cam", "/d/3.cam"}));
}

TEST(RecentFilesTest, NamedValuesHoldAnyTextAndAHandEditedListIsCleanedUp) {
    test::TempDir dir;
    platform::CRegistry registry(dir.Path());
    std::string text = "x";
    EXPECT_EQ(registry.ReadNamedText(platform::kMainWindowGeometryName, text), 0);
    EXPECT_EQ(text, "");
    const std::string odd = "a=b\\c\nd\re";
    ASSERT_EQ(registry.WriteNamedText(platform::kMainWindowGeometryName, odd), 1);
    EXPECT_EQ(registry.ReadNamedText(platform::kMainWindowGeometryName, text), 1);
    EXPECT_EQ(text, odd);

    registry.WriteNamedText(platform::kRecentSettingsFileNames[0], "/d/a.cam");
    registry.WriteNamedText(platform::kRecentSettingsFileNames[2], "/d/b.cam");
    registry.WriteNamedText(platform::kRecentSettingsFileNames[4], "/d/a.cam");
    EXPECT_EQ(platform::RecentFiles(registry).Paths(), (Strings{"/d/a.cam", "/d/b.cam"}));
}

}  // namespace
