#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Kind = CommandLineRequest::Kind;

TEST(CommandLine, OneSwitchInEitherFormAndAnyCaseAndEveryMistakeNamed)
{
    EXPECT_EQ(ParseCommandLine("").kind, Kind::Start);
    EXPECT_EQ(ParseCommandLine("  \t ").kind, Kind::Start);
    EXPECT_EQ(ParseCommandLine("/on").kind, Kind::On);
    EXPECT_EQ(ParseCommandLine("-ON").minutes, 0);
    EXPECT_EQ(ParseCommandLine("\"/Off\"").kind, Kind::Off);
    EXPECT_EQ(ParseCommandLine(" -eXit ").kind, Kind::Exit);
    EXPECT_EQ(ParseCommandLine("/?").kind, Kind::Help);
    EXPECT_EQ(ParseCommandLine("-HELP").kind, Kind::Help);
    for (const auto& [text, minutes] : {std::make_pair("/on:1", 1), std::make_pair("-On:0045", 45),
                                        std::make_pair("/ON:1440", 1440)}) {
        const CommandLineRequest request = ParseCommandLine(text);
        EXPECT_EQ(request.kind, Kind::On) << text;
        EXPECT_EQ(request.minutes, minutes) << text;
    }
    for (const auto& [text, minuteOfDay] : {std::make_pair("/on:06:00", 360), std::make_pair("-ON:0:00", 0),
                                            std::make_pair("/on:7:05", 425), std::make_pair("/on:23:59", 1439)}) {
        const CommandLineRequest request = ParseCommandLine(text);
        EXPECT_EQ(request.kind, Kind::On) << text;
        EXPECT_EQ(request.untilMinuteOfDay, minuteOfDay) << text;
        EXPECT_EQ(request.minutes, 0) << text;
    }
    EXPECT_EQ(ParseCommandLine("/on:45").untilMinuteOfDay, -1);
    for (const char* wrong :
         {"on",           "/",        "/o",         "/onn",       "/on:",     "/on:0",   "/on:1441",  "/on:99999999999",
          "/on:-5",       "/on:+5",   "/on:5m",     "/on: 5",     "/off /on", "/on /on", "/exit now", "/on:24:00",
          "/on:6:60",     "/on:6:5",  "/on:06:005", "/on:006:00", "/on::30",  "/on:6:",  "/on:6:0a",  "/on:-1:30",
          "/on:12:30:00", "/on:1:2:3"}) {
        const CommandLineRequest request = ParseCommandLine(wrong);
        EXPECT_EQ(request.kind, Kind::Mistake) << wrong;
        EXPECT_FALSE(request.mistake.empty()) << wrong;
    }
    EXPECT_NE(std::string(kSwitchesHelp).find("/on:HH:MM"), std::string::npos);
}

}  // namespace
