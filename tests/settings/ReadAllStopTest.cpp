// Reading all settings from a camera that stops answering: exactly five time-outs in a row end the
// read, refusals never do (a camera that answers is there). A line that goes away mid-read is run end
// to end by test_faults.

#include "SettingsFixture.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "settings/ModelCommands.h"
#include "settings/ReadAllSettings.h"

namespace vr::test {
namespace {

using ReadAllStopTest = SettingsFixture;

std::string NameOfReadRow(size_t i) {
    const size_t row = settings::RowsToRead(settings::kModelKA, false).at(i);
    return protocol::GetCommandName(protocol::ParameterDefs()[row].cmdId);
}

TEST_F(ReadAllStopTest, FiveTimeOutsInARowEndTheReadAfterTheRowsThatWereAnswered) {
    Start("KA", With([](sim::SimOptions& o) { o.silentAfter = 12; }), 0, false);
    const settings::RowsRead read =
        settings::ReadParameterRows(services->Get(), settings::kModelKA, false, kShortTimeout);
    EXPECT_TRUE(read.silent);
    EXPECT_FALSE(read.lost);
    ASSERT_EQ(read.rows.size(), 12u + settings::kMaxTimeoutsInARow);
    for (size_t i = 0; i < read.rows.size(); ++i) EXPECT_EQ(read.rows[i].answered, i < 12) << i;
    EXPECT_LT(read.rows.size(), read.planned);
}

TEST_F(ReadAllStopTest, RefusedRowsDoNotCountAsTimeOuts) {
    sim::SimOptions options;
    for (size_t i = 0; i < settings::kMaxTimeoutsInARow + 2; ++i) options.refuseQuery.push_back(NameOfReadRow(i));
    Start("KA", options, 0, false);
    const settings::RowsRead read =
        settings::ReadParameterRows(services->Get(), settings::kModelKA, false, kShortTimeout);
    EXPECT_FALSE(read.Ended());
    ASSERT_EQ(read.rows.size(), read.planned);
    for (size_t i = 0; i < read.rows.size(); ++i)
        EXPECT_EQ(read.rows[i].answered, i >= options.refuseQuery.size()) << i;
}

}  // namespace
}  // namespace vr::test
