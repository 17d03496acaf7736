// Texts of the program's message boxes.
#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

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
    for (const auto& [caption, text, nestedShown] : {std::tuple{"Error", "File \"a\" does not exists!", false},
                                                     std::tuple{"Error", "File \"b\" does not exists!", true},
                                                     std::tuple{"Keytide", "File \"a\" does not exists!", true}}) {
        platform::OpenBoxes boxes;
        int shown = 0;
        boxes.ShowOnce("Error", "File \"a\" does not exists!", [&] {
            EXPECT_EQ(boxes.ShowOnce(caption, text, [&] { ++shown; }), nestedShown) << caption << text;
        });
        EXPECT_EQ(shown, nestedShown ? 1 : 0);
        // Closed, normally or by an exception: the text shows again.
        EXPECT_THROW(boxes.ShowOnce("Error", text, [] { throw std::runtime_error("box"); }), std::runtime_error);
        EXPECT_TRUE(boxes.ShowOnce("Error", text, [] {}));
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
