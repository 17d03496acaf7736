#pragma once
// The names for the settings dialog's font list: the installed screen fonts.
#include <functional>
#include <string>
#include <vector>

namespace keytide {

// The platform's font enumeration and its order of names.
class FontSource {
public:
    virtual ~FontSource() = default;

    // Face names as the platform lists them; a face may come once per
    // character set it supports.
    virtual std::vector<std::string> ScreenFontFaces() = 0;

    // The platform's sort order for the names (true when a goes before b).
    virtual bool Precedes(const std::string& a, const std::string& b) = 0;
};

// Each face once, in the platform's order. Vertical-writing variants (names
// beginning with '@') are not separate faces and are left out.
std::vector<std::string> FontListEntries(FontSource& fonts);

}  // namespace keytide
