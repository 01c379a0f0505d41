#pragma once
// What the fuzz targets share: stopping on a broken property, a scratch directory of the process's
// own, and whole files read and written as bytes.

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace rozuduzod::fuzz {

// Ends the run as a finding when `holds` is false; libFuzzer then saves the input.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// A directory under the temporary directory (TMPDIR), made on first use and removed with its
// contents when the process ends normally.
class ScratchDirectory {
  public:
    static const std::filesystem::path& Path() {
        static const ScratchDirectory directory;
        return directory.path_;
    }

    // Removes everything inside the directory.
    static void Empty() {
        for (const auto& entry : std::filesystem::directory_iterator(Path())) {
            std::filesystem::remove_all(entry.path());
        }
    }

  private:
    ScratchDirectory() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "rozuduzod-fuzz-XXXXXX").string();
        Require(mkdtemp(pattern.data()) != nullptr, "the scratch directory can be made");
        path_ = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    std::filesystem::path path_;
};

inline void WriteWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(static_cast<bool>(file.flush()), "a scratch file can be written");
}

// The file's bytes, or nothing when it does not exist.
inline std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace rozuduzod::fuzz
