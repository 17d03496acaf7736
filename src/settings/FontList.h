#pragma once
// The names for the settings dialog's font list: the installed screen fonts.
#include <string>
#include <vector>

#include "platform/FontSource.h"

namespace keytide {

// Each face once, in the platform's order. Vertical-writing variants (names
// beginning with '@') are not separate faces and are left out.
std::vector<std::string> FontListEntries(platform::FontSource& fonts);

}  // namespace keytide
