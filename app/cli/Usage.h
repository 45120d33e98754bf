// The help of kiv4cli: the whole help (--help, help), the help of one
// command with its examples (help COMMAND), the short usage printed with a
// usage error and the version. All are made from the command table.
#pragma once

#include <string>
#include <string_view>

namespace kiv::cli {

std::string_view helpText();
// The whole help for a name that is no command.
std::string commandHelpText(std::string_view command);
std::string_view usageText();
// "kiv4cli VERSION\n".
std::string_view versionText();

}  // namespace kiv::cli
