#include "app/CommandLine.h"

#include <gtest/gtest.h>

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
    for (const char* wrong : {"on", "/", "/o", "/onn", "/on:", "/on:0", "/on:1441", "/on:99999999999", "/on:-5",
                              "/on:+5", "/on:5m", "/on: 5", "/off /on", "/on /on", "/exit now"}) {
        const CommandLineRequest request = ParseCommandLine(wrong);
        EXPECT_EQ(request.kind, Kind::Mistake) << wrong;
        EXPECT_FALSE(request.mistake.empty()) << wrong;
    }
}

}  // namespace
