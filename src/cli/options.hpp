#pragma once
// The converter's command line.

#include <optional>
#include <string>
#include <vector>

namespace rozuduzod::cli {

struct Options {
    enum class Action { kConvert, kList, kHelp, kVersion };
    Action action = Action::kConvert;
    std::string weather_utf8 = "晴れ";
    std::optional<std::string> gas_file;
    std::string source;
    std::string destination;
};

// The options of `arguments` (the program name first), or nothing when they are not a valid
// command line; `complaint` then says why.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments,
                                    std::string& complaint);

// The usage lines and, with `full`, what each option does and the file formats.
std::string UsageText(bool full);

}  // namespace rozuduzod::cli
