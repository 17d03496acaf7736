#pragma once
// The installed screen fonts, as the system lists and sorts their names.
#include <string>
#include <vector>

namespace keytide::platform {

class FontSource {
public:
    virtual ~FontSource() = default;

    // Face names as the system lists them; a face may come once per
    // character set it supports.
    virtual std::vector<std::string> ScreenFontFaces() = 0;

    // The system's sort order for the names (true when a goes before b).
    virtual bool Precedes(const std::string& a, const std::string& b) = 0;
};

}  // namespace keytide::platform
