// The record's lines: written with their quoting and read back, hand-made
// lines that are no event skipped and counted, the caps, and what stays when
// the older half goes.
#include "history/HistoryDay.h"
#include "history/HistoryText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using history::Event;

TEST(HistoryTextTest, LinesAreWrittenQuotedAndReadBack)
{
    const Event event{{2026, 3, 7, 9, 5, 0}, "dial", {"Office, \"VPN\"", "line\r\nbusy", ""}};
    const std::string line = history::FormatLine(event);
    EXPECT_EQ(line, "2026-03-07T09:05:00,dial,\"Office, \"\"VPN\"\"\",\"line\r\nbusy\",\r\n");

    const history::Reading plain =
        history::ReadText("2026-03-07T09:05:00,ON,menu\r\n2026-03-07T09:06:01,contact,a.example,port 81,answered,12\n");
    ASSERT_EQ(plain.events.size(), 2u);
    EXPECT_EQ(plain.skipped, 0u);
    EXPECT_EQ(plain.events[0].name, "ON");
    EXPECT_EQ(plain.events[1].details, (std::vector<std::string>{"a.example", "port 81", "answered", "12"}));
    EXPECT_EQ(plain.events[1].at.minute, 6);
    EXPECT_EQ(plain.events[1].at.second, 1);

    // A quoted field holds no line end the reader accepts: it reads lines.
    Event back;
    ASSERT_TRUE(history::ParseLine("2026-03-07T09:05:00,dial,\"Office, \"\"VPN\"\"\",,x", back));
    EXPECT_EQ(back.details, (std::vector<std::string>{"Office, \"VPN\"", "", "x"}));
}

TEST(HistoryTextTest, LinesThatAreNoEventAreSkippedAndCounted)
{
    const std::string longLine = "2026-03-07T09:05:00,ON," + std::string(1100, 'x');
    const std::string text = "2026-03-07T09:05:00,ON,menu\r\n"
                             "2026-13-07T09:05:00,ON,menu\r\n"   // no 13th month
                             "2026-03-07 09:05:00,ON,menu\r\n"   // a blank for the T
                             "2026-03-07T09:05:00\r\n"           // no event
                             "2026-03-07T09:05:00,\r\n"          // an empty one
                             "2026-03-07T09:05:00,ON,\"open\r\n" // a quote that never closes
                             "2026-03-07T09:05:00,ON,\"a\"b\r\n" // text after a closing quote
                             "2026-03-07T09:05:00,ON,a\rb\r\n"    // a line end not quoted
                             "2026-03-07T24:00:00,ON,menu\r\n"
                             "\r\n" +
                             longLine + "\r\n2026-03-07T09:05:09,OFF,menu";
    const history::Reading reading = history::ReadText(text);
    ASSERT_EQ(reading.events.size(), 2u);
    EXPECT_EQ(reading.events[1].name, "OFF");
    EXPECT_EQ(reading.skipped, 9u);

    // Nothing past the cap is read.
    std::string big(history::kMostBytes, '\n');
    big += "2026-03-07T09:05:00,ON,menu\n";
    EXPECT_TRUE(history::ReadText(big).events.empty());
}

TEST(HistoryTextTest, TheOlderHalfGoesAtALineEndAndJunkIsTold)
{
    EXPECT_EQ(history::NewerHalf("aaaa\nbb\ncc\nd\n"), "cc\nd\n");
    EXPECT_EQ(history::NewerHalf("aaa\nbbbb\n"), "bbbb\n");
    EXPECT_EQ(history::NewerHalf("no end at all"), "");

    EXPECT_TRUE(history::LooksLikeRecord(""));
    EXPECT_TRUE(history::LooksLikeRecord("2026-03-07T09:05:00,ON,menu"));
    EXPECT_FALSE(history::LooksLikeRecord(std::string("a\0b\n", 4)));
    EXPECT_FALSE(history::LooksLikeRecord(std::string(3000, 'x')));
    EXPECT_TRUE(history::LooksLikeRecord(std::string(1000, 'x') + "\r\n" + std::string(2000, 'y')));

    EXPECT_EQ(history::StampSeconds({2000, 1, 1, 0, 0, 0}), 0);
    EXPECT_EQ(history::StampSeconds({2024, 3, 1, 0, 0, 0}) - history::StampSeconds({2024, 2, 28, 0, 0, 0}),
              2 * 86400);
}

TEST(HistoryTextTest, TheDayIsToldInWords)
{
    const history::Reading day = history::ReadText("2026-03-06T23:00:00,ON,menu\n"
                                                   "2026-03-07T08:00:00,contact,h,port 81,answered,20\n"
                                                   "2026-03-07T08:05:00,contact,h,port 81,no answer,10000\n"
                                                   "2026-03-07T09:00:00,down,Office VPN\n"
                                                   "2026-03-07T09:00:40,up,Office VPN\n"
                                                   "2026-03-07T10:00:00,down,Office VPN\n"
                                                   "2026-03-07T10:02:00,up,Office VPN\n"
                                                   "2026-03-07T12:12:00,OFF,time limit\n");
    const long long midnight = history::StampSeconds({2026, 3, 7, 0, 0, 0});
    EXPECT_EQ(history::DaySummary(day.events, {midnight, midnight + 13 * 3600}, 3),
              "Today: ON 12 h 12 min, 2 contacts, 1 without answer; Office VPN dropped twice, back after 40 s and "
              "2 min. 3 lines of the record could not be read.");
    const history::Strip strip = history::StripOf(day.events, {midnight, midnight + 86400}, midnight + 86400);
    ASSERT_EQ(strip.on.size(), 1u);
    EXPECT_EQ(strip.on[0].from, midnight);
    EXPECT_EQ(strip.marks.size(), 6u);
    EXPECT_EQ(strip.marks[1].kind, history::MarkKind::NotAnswered);
}

}  // namespace
