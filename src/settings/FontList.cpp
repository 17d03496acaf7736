#include "settings/FontList.h"

#include <algorithm>

namespace keytide {

std::vector<std::string> FontListEntries(platform::FontSource& fonts) {
    std::vector<std::string> names = fonts.ScreenFontFaces();
    std::erase_if(names, [](const std::string& name) { return name.empty() || name.front() == '@'; });
    std::stable_sort(names.begin(), names.end(),
                     [&](const std::string& a, const std::string& b) { return fonts.Precedes(a, b); });
    // A face comes once per character set: keep its first entry. Repeats need
    // not be neighbours (a case-blind order may interleave "Arial" and
    // "ARIAL"), so each name is looked up.
    std::vector<std::string> unique;
    unique.reserve(names.size());
    for (std::string& name : names) {
        if (std::find(unique.begin(), unique.end(), name) == unique.end()) unique.push_back(std::move(name));
    }
    return unique;
}

}  // namespace keytide
