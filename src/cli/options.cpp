#include "options.hpp"

#include "log_writer.hpp"

namespace rozuduzod::cli {
namespace {

struct Parser {
    std::vector<std::string> positional;
    bool weather_given = false;
    bool list = false;
    bool help = false;
    bool version = false;
    Options options;
};

// Takes the option at `arguments[at]` (and its value); false with a complaint when it is none.
bool TakeOption(const std::vector<std::string>& arguments, size_t& at, Parser& parser,
                std::string& complaint) {
    const std::string& argument = arguments[at];
    auto value = [&](std::string& into) {
        if (at + 1 >= arguments.size()) {
            complaint = "option " + argument + " needs a value";
            return false;
        }
        into = arguments[++at];
        return true;
    };
    if (argument == "-w" || argument == "--weather") {
        parser.weather_given = true;
        return value(parser.options.weather_utf8);
    }
    if (argument == "-g" || argument == "--gas") {
        std::string file;
        bool ok = value(file);
        parser.options.gas_file = file;
        return ok;
    }
    if (argument == "--list") return parser.list = true;
    if (argument == "--help" || argument == "-h") return parser.help = true;
    if (argument == "--version") return parser.version = true;
    complaint = "unknown option " + argument;
    return false;
}

std::optional<Options> Finish(Parser& parser, std::string& complaint) {
    Options& options = parser.options;
    if (parser.help || parser.version) {
        if (parser.positional.empty() && !parser.list && !parser.weather_given &&
            !options.gas_file && parser.help != parser.version) {
            options.action = parser.help ? Options::Action::kHelp : Options::Action::kVersion;
            return options;
        }
        complaint = "--help and --version stand alone";
        return std::nullopt;
    }
    if (parser.positional.empty()) {
        complaint = "no source log given";
        return std::nullopt;
    }
    if (parser.list && (parser.weather_given || parser.positional.size() > 1)) {
        complaint = "--list takes only a source log and a gas list";
        return std::nullopt;
    }
    if (parser.positional.size() > 2) {
        complaint = "too many files given";
        return std::nullopt;
    }
    options.action = parser.list ? Options::Action::kList : Options::Action::kConvert;
    options.source = parser.positional[0];
    options.destination =
        parser.positional.size() > 1 ? parser.positional[1] : kConvertedLogFileName;
    return options;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments,
                                    std::string& complaint) {
    Parser parser;
    bool options_ended = false;
    for (size_t at = 1; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (!options_ended && argument == "--") {
            options_ended = true;
        } else if (!options_ended && argument.size() > 1 && argument[0] == '-') {
            if (!TakeOption(arguments, at, parser, complaint)) return std::nullopt;
        } else {
            parser.positional.push_back(argument);
        }
    }
    return Finish(parser, complaint);
}

std::string UsageText(bool full) {
    std::string text =
        "usage: rozuduzod-cli [-w TEXT|--weather TEXT] [-g FILE|--gas FILE] SOURCE [DEST]\n"
        "       rozuduzod-cli --list [-g FILE|--gas FILE] SOURCE\n"
        "       rozuduzod-cli --help | --version\n";
    if (!full) return text;
    text +=
        "\n"
        "Converts a fuel log (SOURCE, usually Ruviz.dat) into the converted log DEST\n"
        "(default Diraz00.dat). DEST is replaced only when the whole log is written.\n"
        "\n"
        "  -w, --weather TEXT  weather written into every record (default 晴れ)\n"
        "  -g, --gas FILE      gas name list (default: gas.dat in the current directory,\n"
        "                      when there is one)\n"
        "      --list          print the records as the window's grid shows them, in\n"
        "                      UTF-8, cells separated by TAB; nothing is written\n"
        "      --help          show this text\n"
        "      --version       show the version\n"
        "\n"
        "Files are Shift-JIS text with CR LF line ends.\n"
        "  SOURCE  nine lines per fill-up: year, month, day, distance, volume, gas name\n"
        "          number (1-10), fuel kind (1 レギュラー, 2 ハイオク, 3 軽油), amount, unused.\n"
        "  gas     the first ten lines are gas names 1 to 10.\n"
        "  DEST    [DirazData], DataCount=N, then N lines\n"
        "          NNN=0,date,weekday,  :  ,weather,distance,,volume,economy,amount,\n"
        "          unit price without tax,fuel kind,gas name,\n"
        "\n"
        "Exit status: 0 done, 1 the conversion failed (the message says why), 2 wrong usage.\n";
    return text;
}

}  // namespace rozuduzod::cli
