#pragma once
// The installed screen fonts, enumerated on the screen's device context.
#include "platform/FontSource.h"

namespace keytide::win32 {

class Win32FontSource final : public platform::FontSource {
public:
    std::vector<std::string> ScreenFontFaces() override;
    // The locale's order without regard to case, as a sorted list box has it.
    bool Precedes(const std::string& a, const std::string& b) override;
};

}  // namespace keytide::win32
