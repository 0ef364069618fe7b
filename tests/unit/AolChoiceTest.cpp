#include "ui/AolChoice.h"

#include <gtest/gtest.h>

#include <string>

namespace {

AolChoice Choice(int isAol, int isAol4, const std::string& title)
{
    AolChoice choice;
    choice.isAol = isAol;
    choice.isAol4 = isAol4;
    choice.title = title;
    return choice;
}

void ExpectChoice(const AolChoice& choice, int isAol, int isAol4, const std::string& title)
{
    EXPECT_EQ(choice.isAol, isAol);
    EXPECT_EQ(choice.isAol4, isAol4);
    EXPECT_EQ(choice.title, title);
}

TEST(AolChoice, TheBoxesExcludeEachOtherAndAClickOnTheChosenOneClearsBoth)
{
    ExpectChoice(ClickAolVersion(Choice(0, 0, "x"), AolVersion::Aol4), 0, 1, "x");
    ExpectChoice(ClickAolVersion(Choice(0, 0, "x"), AolVersion::Aol3), 1, 0, "x");
    ExpectChoice(ClickAolVersion(Choice(0, 1, "x"), AolVersion::Aol3), 1, 0, "x");
    ExpectChoice(ClickAolVersion(Choice(1, 0, "x"), AolVersion::Aol4), 0, 1, "x");
    ExpectChoice(ClickAolVersion(Choice(1, 0, "x"), AolVersion::Aol3), 0, 0, "x");
    ExpectChoice(ClickAolVersion(Choice(0, 1, "x"), AolVersion::Aol4), 0, 0, "x");
    // Any value other than 0 counts as chosen and is cleared by a click.
    ExpectChoice(ClickAolVersion(Choice(2, 0, "x"), AolVersion::Aol3), 0, 0, "x");
    ExpectChoice(ClickAolVersion(Choice(0, -1, "x"), AolVersion::Aol4), 0, 0, "x");
    // Both stored as chosen: the other is cleared, the clicked one toggled.
    ExpectChoice(ClickAolVersion(Choice(1, 1, "x"), AolVersion::Aol3), 0, 0, "x");
}

TEST(AolChoice, AStandardTitleFollowsTheClickedVersionEvenWhenTheClickClearsIt)
{
    ExpectChoice(ClickAolVersion(Choice(0, 0, "America Online"), AolVersion::Aol4), 0, 1, "America Online Timer");
    ExpectChoice(ClickAolVersion(Choice(0, 1, "America Online Timer"), AolVersion::Aol3), 1, 0, "America Online");
    ExpectChoice(ClickAolVersion(Choice(1, 0, "America Online"), AolVersion::Aol3), 0, 0, "America Online");
    ExpectChoice(ClickAolVersion(Choice(1, 0, "America Online"), AolVersion::Aol4), 0, 1, "America Online Timer");
    ExpectChoice(ClickAolVersion(Choice(0, 1, "America Online"), AolVersion::Aol4), 0, 0, "America Online Timer");
}

TEST(AolChoice, AnyOtherTitleStaysAsItIs)
{
    for (const std::string title : {"", "america online", "America Online ", " America Online", "America Online Time",
                                    "America Online Timer!", "AOL"}) {
        EXPECT_EQ(ClickAolVersion(Choice(0, 0, title), AolVersion::Aol4).title, title);
        EXPECT_EQ(ClickAolVersion(Choice(0, 1, title), AolVersion::Aol3).title, title);
    }
}

TEST(AolChoice, TheTitleShowsWhileAVersionIsChosen)
{
    EXPECT_FALSE(Choice(0, 0, "").ShowsTitle());
    EXPECT_TRUE(Choice(1, 0, "").ShowsTitle());
    EXPECT_TRUE(Choice(0, 1, "").ShowsTitle());
    EXPECT_TRUE(Choice(0, 2, "").ShowsTitle());
    EXPECT_FALSE(ClickAolVersion(Choice(0, 1, ""), AolVersion::Aol4).ShowsTitle());
    EXPECT_TRUE(ClickAolVersion(Choice(0, 1, ""), AolVersion::Aol3).ShowsTitle());
}

}  // namespace
