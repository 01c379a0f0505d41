// rozuduzod-cli: the conversion without the window, for scripts.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "errors.hpp"
#include "fuel_log.hpp"
#include "listing.hpp"
#include "locale_values.hpp"
#include "log_reader.hpp"
#include "log_writer.hpp"
#include "options.hpp"
#include "shift_jis.hpp"
#include "text_file.hpp"

namespace rozuduzod::cli {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

void ReadGasList(const Options& options, FuelLogState& state) {
    if (options.gas_file) {
        ReadGasNames(*options.gas_file, state.GasNames);
    } else if (IsRegularFile(kGasListFileName)) {
        ReadGasNames(kGasListFileName, state.GasNames);
    }
}

void Convert(const Options& options, const LocaleValues& locale, FuelLogState& state) {
    ListingGrid grid;
    ReadSourceLog(options.source, state, grid, locale);
    WriteConvertedLog(options.destination, state, WeatherText(options.weather_utf8), locale);
}

void List(const Options& options, const LocaleValues& locale, FuelLogState& state) {
    ListingGrid grid;
    try {
        ReadSourceLog(options.source, state, grid, locale);
    } catch (const Exception&) {
        grid.Print(std::cout, state.LogCount);
        throw;
    }
    grid.Print(std::cout, state.LogCount);
}

int Run(const Options& options) {
    const LocaleValues locale = LocaleValues::FromUserLocale();
    auto state = std::make_unique<FuelLogState>();
    try {
        ReadGasList(options, *state);
        if (options.action == Options::Action::kList) {
            List(options, locale, *state);
        } else {
            Convert(options, locale, *state);
        }
    } catch (const Exception& error) {
        std::cout.flush();
        std::cerr << "rozuduzod-cli: " << ShiftJisToUtf8(DisplayText(error.Message())) << '\n';
        return kExitFailure;
    }
    return 0;
}

}  // namespace
}  // namespace rozuduzod::cli

int main(int argc, char** argv) {
    using rozuduzod::cli::Options;
    std::string complaint;
    auto options =
        rozuduzod::cli::ParseOptions(std::vector<std::string>(argv, argv + argc), complaint);
    if (!options) {
        std::cerr << "rozuduzod-cli: " << complaint << '\n' << rozuduzod::cli::UsageText(false);
        return rozuduzod::cli::kExitUsage;
    }
    switch (options->action) {
        case Options::Action::kHelp:
            std::cout << rozuduzod::cli::UsageText(true);
            return 0;
        case Options::Action::kVersion:
            std::cout << "rozuduzod-cli " << ROZUDUZOD_VERSION << '\n';
            return 0;
        default:
            return rozuduzod::cli::Run(*options);
    }
}
