#pragma once
// The built-in ktd.ini: the default assignments, settings and switches.
#include <string_view>

namespace keytide {

extern const std::string_view kDefaultIniText;

}  // namespace keytide
