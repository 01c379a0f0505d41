#include "errors.hpp"

#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

std::string FixedInOutMessage(int code) {
    switch (code) {
        case io_code::kFileNotFound:
            return Sjis("ﾌｧｲﾙが見つかりません");
        case io_code::kPathNotFound:
            return Sjis("不正なﾌｧｲﾙ名です");
        case io_code::kTooManyOpenFiles:
            return Sjis("ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます");
        case io_code::kAccessDenied:
            return Sjis("ﾌｧｲﾙへのｱｸｾｽが拒否されました");
        case io_code::kReadBeyondEnd:
            return Sjis("ﾌｧｲﾙの末尾以降を読み込みました");
        case io_code::kDiskFull:
            return Sjis("ﾃﾞｨｽｸがいっぱいです");
        case io_code::kInvalidNumericInput:
            return Sjis("入力値が数値ではありません");
        default:
            return {};
    }
}

}  // namespace

std::string InOutMessage(int code) {
    std::string message = FixedInOutMessage(code);
    if (message.empty()) {
        message = Sjis("I/O ｴﾗｰ (") + std::to_string(code) + ")";
    }
    return message;
}

std::string FormatMessage(std::string_view pattern, std::string_view argument) {
    std::string message(pattern);
    if (auto at = message.find("%s"); at != std::string::npos) {
        message.replace(at, 2, argument);
    }
    return message;
}

std::string DisplayText(std::string_view message) {
    std::string text(message);
    if (text.empty()) {
        return text;
    }
    // A double-byte last character always gets the stop: its lead byte lies above 0x2E.
    size_t last_start = 0;
    for (size_t at = 0; at < text.size();
         at += IsLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1) {
        last_start = at;
    }
    if (static_cast<unsigned char>(text[last_start]) > '.') {
        text += '.';
    }
    return text;
}

EInOutError::EInOutError(int code) : Exception(InOutMessage(code)), code_(code) {}

EZeroDivide::EZeroDivide() : Exception(Sjis("0 による浮動小数点数除算")) {}

EInvalidOp::EInvalidOp() : Exception(Sjis("不正な浮動小数点数演算命令")) {}

EOverflow::EOverflow() : Exception(Sjis("浮動小数点数のｵｰﾊﾞｰﾌﾛｰ")) {}

}  // namespace rozuduzod
