#include "shift_jis.hpp"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace rozuduzod {
namespace {

// glibc's name for code page 932, whose 0x5C and 0x7E stay the ASCII backslash and tilde.
constexpr const char* kCodePage932 = "CP932";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much of `input` as it can, appending to `output`; returns the errno that
    // stopped it (0 when all of the input was converted).
    int Convert(std::string_view& input, std::string& output) {
        char* in = const_cast<char*>(input.data());
        size_t in_left = input.size();
        char buffer[256];
        int stopped_by = 0;
        while (in_left > 0 && stopped_by == 0) {
            char* out = buffer;
            size_t out_left = sizeof buffer;
            if (iconv(handle_, &in, &in_left, &out, &out_left) == static_cast<size_t>(-1) &&
                errno != E2BIG) {
                stopped_by = errno;
            }
            output.append(buffer, static_cast<size_t>(out - buffer));
        }
        input.remove_prefix(input.size() - in_left);
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        return stopped_by;
    }

  private:
    iconv_t handle_;
};

}  // namespace

std::string ShiftJisToUtf8(std::string_view shift_jis) {
    Converter converter("UTF-8", kCodePage932);
    std::string utf8;
    utf8.reserve(shift_jis.size() * 3 / 2);
    while (converter.Convert(shift_jis, utf8) != 0) {
        // An invalid or cut-off character: its first byte stands for itself as U+FFFD, and
        // decoding resumes at the next byte.
        utf8 += kReplacementCharacter;
        shift_jis.remove_prefix(1);
    }
    return utf8;
}

std::optional<std::string> Utf8ToShiftJis(std::string_view utf8) {
    Converter converter(kCodePage932, "UTF-8");
    std::string shift_jis;
    if (converter.Convert(utf8, shift_jis) != 0) {
        return std::nullopt;
    }
    return shift_jis;
}

std::string Sjis(std::string_view utf8) {
    auto shift_jis = Utf8ToShiftJis(utf8);
    if (!shift_jis) {
        throw std::logic_error("a program text has no Shift-JIS form");
    }
    return *shift_jis;
}

}  // namespace rozuduzod
