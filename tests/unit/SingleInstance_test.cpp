// Recognising a running copy: the name rules, the search over the top-level
// windows, and what the start-up lock decides.
#include <gtest/gtest.h>

#include "shell/SingleInstance.h"

namespace keytide {
namespace {

constexpr char16_t kClass[] = u"KeytideApplication";
constexpr char16_t kTitle[] = u"Keytide";

TEST(SingleInstanceTest, NameRules) {
    const std::u16string longClass = std::u16string(255, u'c');
    const struct {
        const char* what;
        std::u16string ownClass, ownTitle, className, title;
        bool matches;
    } cases[] = {
        {"same names", kClass, kTitle, kClass, kTitle, true},
        {"letter case counts in the title", kClass, kTitle, kClass, u"keytide", false},
        {"letter case counts in the class", kClass, kTitle, u"keytideapplication", kTitle, false},
        {"other title", kClass, kTitle, kClass, u"Keytide - About", false},
        {"prefix only", kClass, kTitle, kClass, u"Keytid", false},
        {"empty title never matches", kClass, u"", kClass, u"", false},
        {"empty class never matches", u"", kTitle, u"", kTitle, false},
        {"only the first 255 characters count", longClass + u"own", kTitle, longClass + u"other", kTitle, true},
        {"a difference at character 255 counts", longClass.substr(1) + u"a", kTitle, longClass.substr(1) + u"b",
         kTitle, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NamesMatch(TopWindow{1, c.className, c.title}, c.ownClass, c.ownTitle), c.matches) << c.what;
    }
}

TEST(SingleInstanceTest, TheSearchCountsOurOwnWindowAndKeepsTheLastOtherCopy) {
    const std::vector<TopWindow> windows{
        {10, kClass, kTitle},             // another copy
        {11, u"Tktdform", kTitle},        // a main window: other class
        {12, kClass, kTitle},             // our own
        {13, kClass, u""},                // a copy's window without a title
        {14, kClass, kTitle},             // a third copy, met last
        {15, u"Shell_TrayWnd", u""},
    };
    const InstanceSearch search = SearchRunningCopy(windows, 12, kClass, kTitle);
    EXPECT_EQ(search.matches, 3);
    EXPECT_EQ(search.otherCopy, 14u);

    const InstanceSearch alone = SearchRunningCopy({{12, kClass, kTitle}, {11, u"Tktdform", kTitle}}, 12, kClass, kTitle);
    EXPECT_EQ(alone.matches, 1);
    EXPECT_EQ(alone.otherCopy, 0u);
}

TEST(SingleInstanceTest, TheLockDecidesAndTheWindowsOnlyWithoutIt) {
    const InstanceSearch alone{1, 0};
    const InstanceSearch another{2, 10};
    const InstanceSearch notYetThere{1, 0};
    const struct {
        const char* what;
        StartupLock lock;
        InstanceSearch search;
        bool ends;
        std::uintptr_t bringForward;
    } cases[] = {
        {"first copy", StartupLock::Taken, alone, false, 0},
        // Two copies at once: the one that took the lock goes on even though
        // it sees the other's window; the other ends.
        {"lock taken, starting copy seen", StartupLock::Taken, another, false, 0},
        {"lock held, running copy seen", StartupLock::HeldElsewhere, another, true, 10},
        {"lock held, its window not made yet", StartupLock::HeldElsewhere, notYetThere, true, 0},
        {"no lock, alone", StartupLock::Unavailable, alone, false, 0},
        {"no lock, another copy", StartupLock::Unavailable, another, true, 10},
    };
    for (const auto& c : cases) {
        const InstanceDecision decision = DecideInstance(c.lock, c.search);
        EXPECT_EQ(decision.endThisCopy, c.ends) << c.what;
        EXPECT_EQ(decision.bringForward, c.bringForward) << c.what;
    }
}

}  // namespace
}  // namespace keytide
