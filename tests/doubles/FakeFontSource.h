#pragma once
// Installed fonts for the font list, sorted without regard to case as the
// platform's list does.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/FontSource.h"

namespace keytide::fakes {

class FakeFontSource : public platform::FontSource {
public:
    FakeFontSource() = default;
    explicit FakeFontSource(std::vector<std::string> enumerated) : faces(std::move(enumerated)) {}

    std::vector<std::string> ScreenFontFaces() override { return faces; }
    bool Precedes(const std::string& a, const std::string& b) override {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
        });
    }

    std::vector<std::string> faces;
};

}  // namespace keytide::fakes
