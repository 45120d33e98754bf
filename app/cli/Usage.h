// The help text of kiv4cli (--help) and the short usage printed with a
// usage error.
#pragma once

#include <string_view>

namespace kiv::cli {

std::string_view helpText();
std::string_view usageText();

}  // namespace kiv::cli
