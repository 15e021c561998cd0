// The command engine over a link in memory: sets, queries, replies, time-outs, failures, lines between commands.

#include <gtest/gtest.h>

#include <algorithm>

#include "FakePlatform.h"
#include "MemoryLink.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"
#include "protocol/TrafficLog.h"

using namespace vr::protocol;
using vr::platform::MsgIcon;
using Texts = std::vector<std::string>;

namespace {

constexpr milliseconds kSecond(1000);

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        link.traffic = &traffic;
        engine.SetLink(&link);
        traffic.SetTerminalSink([this](const std::string& s) { terminal.push_back(s); });
        traffic.SetMessageSink([this](const std::string& s) { messages.push_back(s); });
    }
    void Answer(const std::string& reply) {
        link.responder = [reply](const std::string&) { return reply; };
    }
    // GA queried with the camera answering the reply; value keeps what it held unless the query succeeds.
    int QueryGa(const std::string& reply, int32_t& value) {
        Answer(reply);
        return engine.QueryInt(cmd::GA, value, kSecond);
    }
    bool Online() const { return status.IsOnline(); }

    vr::test::FakePlatform platform;
    vr::test::MemoryLink link;
    OnlineStatusBroadcaster status;
    TrafficLog traffic;
    Command engine{platform, status, traffic};
    Texts terminal, messages;
};

// Each reply line as the answer to a set (the camera then says COMPLETE) and to a query (then GA=7): a
// completion is any line whose first eight characters are COMPLETE in any case; a line that cannot be
// the reply (a blank line, a value line to a set, another command's value or a completion to a query)
// is skipped; anything else is a refusal, shown whole to a set and as "raw for query" to a query.
TEST_F(EngineTest, RepliesAreClassifiedAlikeInSetsAndQueries) {
    const struct {
        std::string reply;
        int set;
        int32_t query;  // the value read, -1 when the query fails
        const char* queryBox;
    } cases[] = {
        // clang-format off
        {"COMPLETE", 1, 7, nullptr}, {"complete", 1, 7, nullptr}, {"Complete", 1, 7, nullptr},
        {"COMPLETED", 1, 7, nullptr}, {"COMPLETE,GA=1", 1, 7, nullptr}, {"COMPLETX", 0, -1, "COMPLETX for GA?"},
        {"COMPLET", 0, -1, "COMPLET for GA?"}, {"XCOMPLETE", 0, -1, "XCOMPLETE for GA?"}, {"NG", 0, -1, "NG for GA?"},
        {"ERROR: Out of range", 0, -1, "ERROR:Outofrange for GA?"}, {"", 1, 7, nullptr}, {"  ", 1, 7, nullptr},
        {"GA=5", 1, 5, nullptr}, {"GAR=100", 1, 7, nullptr}, {"GA=&H", 1, -1, "GA=&H for GA?"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.reply + "\"");
        platform.boxes.clear();
        status.SetOffline();
        Answer(c.reply + "\r\nCOMPLETE\r\n");
        EXPECT_EQ(engine.SendCommandInt(cmd::GA, -400, kSecond), c.set);
        EXPECT_TRUE(Online()) << "any reply to a set means the camera is there";
        EXPECT_EQ(platform.Texts(), c.set == 1 ? Texts{} : Texts{c.reply + "\nGA=-400"});
        EXPECT_EQ(engine.LastFailure().kind, c.set == 1 ? FailureKind::None : FailureKind::Refused);

        platform.boxes.clear();
        status.SetOffline();
        int32_t value = -1;
        EXPECT_EQ(QueryGa(c.reply + "\r\nGA=7\r\n", value), c.query >= 0 ? 1 : 0);
        EXPECT_EQ(value, c.query);
        EXPECT_EQ(Online(), c.query >= 0) << "only a query's value turns the status online";
        EXPECT_EQ(platform.Texts(), c.queryBox == nullptr ? Texts{} : Texts{c.queryBox});
        if (c.queryBox != nullptr) {
            EXPECT_EQ(engine.LastFailure().kind,
                      c.reply.find('=') == std::string::npos ? FailureKind::Refused : FailureKind::NotUnderstood);
        }
        for (const auto& box : platform.boxes) {
            EXPECT_EQ(box.caption, "Communication Error");
            EXPECT_EQ(box.icon, MsgIcon::Exclamation);
        }
    }
    EXPECT_EQ(link.Written().front(), "GA=-400\r\n");
    EXPECT_EQ(platform.waitCursorDepth, 0);
    // A blank line alone answers nothing: the set times out without a box.
    platform.boxes.clear();
    Answer("\r\n");
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 1, milliseconds(40)), 0);
    EXPECT_EQ(engine.LastFailure().kind, FailureKind::TimedOut);
    EXPECT_TRUE(platform.boxes.empty());
    // Nor is it the answer the timed-out set still owes: the error after it is.
    int32_t value = 0;
    EXPECT_EQ(QueryGa("\r\nERROR: Busy\r\nGA=7\r\n", value), 1);
    EXPECT_EQ(value, 7);

    // A failed text query gives back the empty text; the entry without a mnemonic is never asked.
    std::string text = "old";
    Answer("garbage\r\n");
    EXPECT_EQ(engine.QueryString(cmd::MD, text, kSecond), 0);
    EXPECT_EQ(text, "");
    const size_t written = link.Written().size();
    CommandValue unnamed;
    EXPECT_EQ(engine.QueryCommand(cmd::Unnamed, unnamed, kSecond), 0);
    EXPECT_EQ(link.Written().size(), written);
}

TEST_F(EngineTest, TimeOutsGoOfflineSilently) {
    int32_t value = 5;
    for (const bool query : {true, false}) {
        status.SetOnline();
        EXPECT_EQ(query ? engine.QueryInt(cmd::GA, value, milliseconds(40))
                        : engine.SendCommandInt(cmd::GA, 1, milliseconds(40)),
                  0);
        EXPECT_FALSE(Online()) << query;
    }
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(platform.waitCursorDepth, 0);
    EXPECT_GT(platform.pumps, 0) << "a long wait lets the windows paint";

    // After the time-outs the set first asks the model (below); the camera answers both at once.
    link.responder = [](const std::string& text) { return text == "MD?\r\n" ? "MD=VR-8200-KA\r\n" : "COMPLETE\r\n"; };
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 1, milliseconds(0)), 1) << "a time-out of 0 still makes one attempt";

    // A write the line did not take ends the set at once, without a box or a status change.
    link.writeResult = 0;
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 1, milliseconds(5000)), 0);
    EXPECT_TRUE(Online());
    EXPECT_TRUE(platform.boxes.empty());
}

// Bytes after a reply's line end stay on the line: the timer lists them next.
TEST_F(EngineTest, TimerDrainsStrayLinesThatTheNextCommandDiscards) {
    link.Feed("HELLO\r\n");
    engine.OnTimer();
    EXPECT_EQ(engine.ReceivedLineCount(), 1u);
    EXPECT_EQ(terminal, Texts{"Rx: HELLO"});
    EXPECT_EQ(messages, Texts{"HELLO"});
    Answer("COMPLETE\r\nGA=1\r\n");
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 1, kSecond), 1);
    EXPECT_EQ(engine.ReceivedLineCount(), 0u);
    EXPECT_EQ(terminal.back(), "Rx: COMPLETE");
    EXPECT_EQ(terminal[1], "Tx: GA=1");
    engine.OnTimer();
    EXPECT_EQ(engine.TakeReceivedLine(), "GA=1");
}

// "&h" in lower case is no hexadecimal prefix: it reads as a decimal without digits. A text keeps its
// inner blanks; only its ends are trimmed.
TEST(ReplyParser, ValuesSeparatorsAndFailures) {
    const struct {
        const char* line;
        bool ok;
        int32_t cmdId;
        int32_t value;
        const char* text;
    } cases[] = {
        // clang-format off
        {"GA=0400", true, 47, 400, ""}, {"GA=&H1F", true, 47, 31, ""}, {"GA=&hff", true, 47, 0, ""},
        {"GA=12,34", true, 47, 12, ""}, {"GA=-7x", true, 47, -7, ""}, {"GA=abc", true, 47, 0, ""},
        {"GA=&HFFFFFFFF", true, 47, -1, ""}, {"GA=99999999999", true, 47, 2147483647, ""},
        {"EA?", true, 388, 0, ""}, {"E A ? \r\n", true, 388, 0, ""}, {"=5", true, 322, 5, ""},
        {"MD=VR-8200-KB,x", true, 8, 0, "VR-8200-KB"}, {"UD=a b", true, 6, 0, "a b"},
        {"UD =  line 3 left ,x\r\n", true, 6, 0, "line 3 left"},
        {"GA=&H", false, 47, 0, ""}, {"GA=&HZ", false, 47, 0, ""}, {"XX=1", false, -1, 0, ""},
        {"COMPLETE", false, -1, 0, ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        int32_t id = 0, v = 0;
        std::string name, text;
        EXPECT_EQ(Command::ParseLine(c.line, id, name, v, text), c.ok ? 1 : 0);
        if (!c.ok) continue;
        EXPECT_EQ(id, c.cmdId);
        EXPECT_EQ(v, c.value);
        EXPECT_EQ(text, c.text);
    }
    EXPECT_EQ(Command::ParseReply("GA=1=2").valueText, "1=2");
}

// One late reply must not shift every later reply by one: lines that were on their way before a
// command went out are stray, lines that cannot answer the command waiting are stale, and both are
// listed and skipped.
TEST_F(EngineTest, StrayAndStaleLinesAreListedAndNeverTakenAsTheReply) {
    // The 1 s probe's answer arrives after its time-out, just before the next query goes out.
    link.Feed("MD=VR-8200-KA\r\n");
    int32_t value = 0;
    ASSERT_EQ(QueryGa("GA=400\r\n", value), 1);
    EXPECT_EQ(value, 400);
    EXPECT_EQ(terminal.front(), "Rx: MD=VR-8200-KA  (stray: not a reply)");
    // The camera answers the previous query late, then this one: the first is skipped.
    ASSERT_EQ(QueryGa("EA=2\r\nGA=401\r\n", value), 1);
    EXPECT_EQ(value, 401);
    // A late completion of a set is no answer to a query either.
    ASSERT_EQ(QueryGa("COMPLETE\r\nGA=402\r\n", value), 1);
    EXPECT_EQ(value, 402);
    // While a set waits for its completion, a value line is a late answer to a query.
    Answer("GA=403\r\nCOMPLETE\r\n");
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 5, kSecond), 1);
    EXPECT_EQ(std::count_if(terminal.begin(), terminal.end(),
                            [](const std::string& t) { return t.find("(stale: skipped)") != std::string::npos; }),
              3);
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(engine.LastFailure().kind, FailureKind::None);
}

// A late answer never answers the next command. After a time-out the next set goes out only once
// "MD?" has its value; the lines before it are the late answers. While answers are owed, a query's
// error line is taken only after as many lines as are owed.
TEST_F(EngineTest, ALateAnswerNeverAnswersTheNextCommand) {
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 403, milliseconds(40)), 0);
    EXPECT_TRUE(engine.OutOfStep());
    // The camera was only busy: its late COMPLETE comes before the model, then the refusal.
    link.responder = [](const std::string& text) {
        return text == "MD?\r\n" ? "COMPLETE\r\nMD=VR-8200-KA\r\n" : "ERROR: Out of range\r\n";
    };
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 99999, kSecond), 0);
    EXPECT_EQ(engine.LastFailure().Describe(), "the camera answered \"ERROR: Out of range\" to GA=99999");
    EXPECT_EQ(link.Written(), (Texts{"GA=403\r\n", "MD?\r\n", "GA=99999\r\n"}));
    EXPECT_TRUE(std::find(terminal.begin(), terminal.end(), "Rx: COMPLETE  (stale: skipped)") != terminal.end());
    EXPECT_FALSE(engine.OutOfStep());
    Answer("COMPLETE\r\n");
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 400, kSecond), 1);
    EXPECT_EQ(link.Written().back(), "GA=400\r\n") << "in step again: no model query";

    // A camera that stays silent: the set after the time-out is never sent, and says so.
    link.responder = nullptr;
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 404, milliseconds(40)), 0);
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 405, milliseconds(40)), 0);
    EXPECT_EQ(link.Written().back(), "MD?\r\n");
    EXPECT_EQ(engine.LastFailure().kind, FailureKind::TimedOut);
    EXPECT_EQ(engine.LastFailure().Describe(),
              "no reply to MD? within 40 ms; the camera still owed an earlier answer, so GA=405 was not sent");
    EXPECT_EQ(engine.OwedAnswers(), 2);

    // Two answers owed: the first two lines without a name are late answers; the third refuses GA?.
    int32_t value = 0;
    EXPECT_EQ(QueryGa("ERROR: Busy\r\nCOMPLETE\r\nERROR: Refused\r\n", value), 0);
    EXPECT_EQ(engine.LastFailure().Describe(), "the camera answered \"ERROR: Refused\" to GA?");
    // One owed: the error is late when the value follows it, and the value puts the engine in step.
    link.responder = nullptr;
    EXPECT_EQ(engine.QueryInt(cmd::GA, value, milliseconds(40)), 0);
    EXPECT_EQ(QueryGa("ERROR: Out of range\r\nGA=7\r\n", value), 1);
    EXPECT_EQ(value, 7);
    EXPECT_FALSE(engine.OutOfStep());
    EXPECT_EQ(engine.OwedAnswers(), 0);
    EXPECT_EQ(QueryGa("ERROR: Refused\r\n", value), 0) << "in step, an error answers the query at once";
    EXPECT_EQ(engine.LastFailure().kind, FailureKind::Refused);
}

// An error text with a NUL or a DEL in it is shown whole, those bytes made visible. (What a time-out received is
// shown by the fault matrix's get_cr_only and get_nul_in_reply cells of test_faults.)
TEST_F(EngineTest, ARefusalIsShownWholeWithItsControlBytesVisible) {
    Answer(std::string("ERR\0OR\x7F\r\n", 9));
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 99999, kSecond), 0);
    EXPECT_EQ(platform.Texts(), Texts{"ERR\\x00OR\\x7F\nGA=99999"});
    EXPECT_EQ(engine.LastFailure().Describe(), "the camera answered \"ERR\\x00OR\\x7F\" to GA=99999");
}

// A text value with a CR or LF in it would run its tail as a command of its own: nothing goes out. A
// text sent to a number command goes as it is, and the command keeps its kind.
TEST_F(EngineTest, TextsWithControlCharactersAreNeverSent) {
    Answer("COMPLETE\r\n");
    for (const char* text : {"a\r\nGA=1234", "ok\nCRS00=1", "x\ty"})
        EXPECT_EQ(engine.SendCommandString(cmd::UD, text, kSecond), 0) << text;
    EXPECT_TRUE(link.Written().empty());
    EXPECT_EQ(platform.boxes.size(), 3u);
    EXPECT_EQ(engine.SendCommandString(cmd::UD, "line 3 left", kSecond), 1);
    // The kind of a text send is the send's own: the shared table keeps GA a number all along, so
    // another session (or the virtual camera) reading it meanwhile never sees a text.
    std::vector<ValueKind> seen;
    link.responder = [&seen](const std::string&) {
        seen.push_back(GetValueKind(cmd::GA));
        return std::string("COMPLETE\r\n");
    };
    EXPECT_EQ(engine.SendCommandString(cmd::GA, "0x10 ab", kSecond), 1);
    EXPECT_EQ(link.Written(), (Texts{"UD=line 3 left\r\n", "GA=0x10 ab\r\n"}));
    EXPECT_EQ(seen, std::vector<ValueKind>{ValueKind::Integer});
    EXPECT_EQ(GetValueKind(cmd::GA), ValueKind::Integer);
}

// While quiet (a transfer tells its refusals once, at its end) a refusal shows no box but is kept.
TEST_F(EngineTest, QuietTransfersKeepFailuresWithoutABoxEach) {
    Answer("ERROR: Refused\r\n");
    {
        const Command::Quiet quiet(engine);
        EXPECT_EQ(engine.SendCommandInt(cmd::LUTR, 2, kSecond), 0);
        EXPECT_EQ(engine.LastFailure().Describe(), "the camera answered \"ERROR: Refused\" to LUTR=2");
    }
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(engine.SendCommandInt(cmd::LUTR, 0, kSecond), 0);
    EXPECT_EQ(platform.boxes.size(), 1u) << "loud again afterwards";
}

// The operator's way out of a long wait: asked only while a command with a time-out beyond two seconds
// waits, it ends the wait without a box and without taking the camera for gone; what the camera sends
// afterwards is a stray line for the next command.
TEST_F(EngineTest, OnlyLongWaitsCanBeAbandonedAndTheLateAnswerIsNoReply) {
    struct Cancel final : IWaitCancel {
        void LongWaitBegins() override { ++begun; }
        bool CancelRequested() override { return ++asked >= cancelAt; }
        void LongWaitEnds() override { ++ended; }
        int begun = 0, ended = 0, asked = 0, cancelAt = 3;
    } cancel;
    engine.SetWaitCancel(&cancel);
    status.SetOnline();

    // A wait of two seconds or less is always waited for.
    EXPECT_EQ(engine.SendCommandInt(cmd::GA, 1, Command::kCancellableWait), 0);
    EXPECT_EQ(cancel.asked, 0);
    EXPECT_EQ(cancel.begun, 0);
    EXPECT_EQ(engine.LastFailure().kind, FailureKind::TimedOut);
    int32_t value = 9;
    ASSERT_EQ(QueryGa("GA=7\r\n", value), 1);  // every answer in again
    Answer("");

    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(engine.SendCommandInt(cmd::RS, 0, milliseconds(420000)), 0);
    EXPECT_EQ(link.Written().back(), "RS=0\r\n");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
    EXPECT_EQ(engine.LastFailure().kind, FailureKind::Cancelled);
    EXPECT_EQ(engine.LastFailure().command, "RS=0");
    EXPECT_EQ(cancel.asked, 3);
    EXPECT_EQ(cancel.begun, 1);
    EXPECT_EQ(cancel.ended, 1);
    EXPECT_TRUE(Online()) << "the camera may still be at work: it is not taken for gone";
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(platform.waitCursorDepth, 0);

    // The next set waits for the camera to catch up first ("MD?"); stopping that wait is stopping the
    // set's, and the set never goes out.
    cancel.asked = 0;
    const size_t written = link.Written().size();
    EXPECT_EQ(engine.SendCommandInt(cmd::SA, 1, milliseconds(40000)), 0);
    EXPECT_EQ(engine.LastFailure().kind, FailureKind::Cancelled);
    EXPECT_EQ(engine.LastFailure().command, "SA=1");
    EXPECT_EQ(link.Written().size(), written + 1);
    EXPECT_EQ(link.Written().back(), "MD?\r\n");

    // A query with a long time-out is abandoned the same way.
    cancel.asked = 0;
    EXPECT_EQ(engine.QueryInt(cmd::SDRS, value, milliseconds(5000)), 0);
    EXPECT_EQ(engine.LastFailure().kind, FailureKind::Cancelled);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(cancel.ended, 3);

    // The calibration ends after all: its COMPLETE is listed as stray, and the next query takes its
    // own reply.
    link.Feed("COMPLETE\r\n");
    EXPECT_EQ(QueryGa("GA=321\r\n", value), 1);
    EXPECT_EQ(value, 321);
    EXPECT_NE(std::find(terminal.begin(), terminal.end(), "Rx: COMPLETE  (stray: not a reply)"), terminal.end());
    EXPECT_TRUE(platform.boxes.empty());
    engine.SetWaitCancel(nullptr);
}

}  // namespace
