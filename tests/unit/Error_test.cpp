// Texts of the program's message boxes.
#include <gtest/gtest.h>

#include <stdexcept>

#include "model/Error.h"
#include "platform/UserMessages.h"

namespace keytide {
namespace {

TEST(ErrorBoxText, AddsAFullStopOnlyWhenMissing) {
    struct Case {
        const char* message;
        const char* shown;
    };
    for (Case c : {Case{"Unable to write to C:\\k\\ktd.ini", "Unable to write to C:\\k\\ktd.ini."},
                   Case{"Already ends.", "Already ends."}, Case{"Invalid data type for ''", "Invalid data type for ''."},
                   Case{"", "."}, Case{"Ends in dots...", "Ends in dots..."}}) {
        EXPECT_EQ(platform::ErrorBoxText(c.message), c.shown) << c.message;
    }
}

// A box runs a message loop in which the next press may ask for a box again.
TEST(OpenBoxes, ABoxWhoseTextIsUpIsNotShownAgainUntilItCloses) {
    struct Case {
        const char* nestedCaption;
        const char* nestedText;
        bool nestedShown;
    };
    for (Case c : {Case{"Error", "File \"a.exe\" does not exists!", false},
                   Case{"Error", "File \"b.exe\" does not exists!", true},
                   Case{"Keytide", "File \"a.exe\" does not exists!", true}}) {
        platform::OpenBoxes boxes;
        int shown = 0;
        bool nestedShown = false;
        boxes.ShowOnce("Error", "File \"a.exe\" does not exists!", [&] {
            ++shown;
            nestedShown = boxes.ShowOnce(c.nestedCaption, c.nestedText, [&] { ++shown; });
        });
        EXPECT_EQ(nestedShown, c.nestedShown) << c.nestedText;
        EXPECT_EQ(shown, c.nestedShown ? 2 : 1) << c.nestedText;
        // Closed, whether it ended normally or by an exception: the text shows again.
        EXPECT_THROW(boxes.ShowOnce("Error", c.nestedText, [] { throw std::runtime_error("box"); }),
                     std::runtime_error);
        EXPECT_TRUE(boxes.ShowOnce("Error", c.nestedText, [] {})) << c.nestedText;
    }
}

TEST(FillTemplate, PutsTheArgumentInPlaceOfTheFirstPlaceholder) {
    EXPECT_EQ(FillTemplate("Cannot create file %s", "C:\\a b\\ktd.ini"), "Cannot create file C:\\a b\\ktd.ini");
    EXPECT_EQ(FillTemplate("Failed to set data for '%s'", "Keytide"), "Failed to set data for 'Keytide'");
    // An argument holding a placeholder of its own is taken literally.
    EXPECT_EQ(FillTemplate("'%s' is not a valid integer value", "%s%s"), "'%s%s' is not a valid integer value");
    EXPECT_EQ(FillTemplate("no placeholder", "x"), "no placeholder");
}

}  // namespace
}  // namespace keytide
