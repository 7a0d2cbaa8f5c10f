#include "app/tools/password_alphabet.h"

#include <utility>

namespace quor {

std::string PasswordAlphabet(bool useCapital, bool useSmall, bool useNumeral) {
    if (!useCapital && !useSmall && !useNumeral) useCapital = true;
    std::string alphabet;
    for (char i = 0; i < 26; ++i) {
        if (useSmall) alphabet.push_back(static_cast<char>('a' + i));
        if (useCapital) alphabet.push_back(static_cast<char>('A' + i));
    }
    if (useNumeral)
        for (char i = 0; i < 10; ++i) alphabet.push_back(static_cast<char>('0' + i));
    return alphabet;
}

bool ClampToMaximum(int32_t& value, int32_t maximum) {
    if (value <= maximum) return true;
    value = maximum;
    return false;
}

std::optional<size_t> AlphabetIndexOf(uint8_t byte, size_t size) {
    if (size == 0 || size > 256) return std::nullopt;
    const size_t limit = 256 - 256 % size;
    if (byte >= limit) return std::nullopt;
    return byte % size;
}

PasswordGenerator::PasswordGenerator(std::string alphabet, RandomFill fill)
    : alphabet_(std::move(alphabet)), fill_(std::move(fill)) {}

std::optional<uint8_t> PasswordGenerator::NextByte() {
    if (used_ == pool_.size()) {
        if (!fill_ || !fill_(pool_.data(), pool_.size())) return std::nullopt;
        used_ = 0;
    }
    return pool_[used_++];
}

std::optional<std::string> PasswordGenerator::Generate(int length) {
    std::string password;
    if (length <= 0) return password;
    if (alphabet_.empty()) return std::nullopt;
    password.reserve(static_cast<size_t>(length));
    while (password.size() < static_cast<size_t>(length)) {
        const std::optional<uint8_t> byte = NextByte();
        if (!byte) return std::nullopt;
        if (const std::optional<size_t> index = AlphabetIndexOf(*byte, alphabet_.size()))
            password.push_back(alphabet_[*index]);
    }
    return password;
}

std::string PasswordCopyText(const std::vector<std::string>& passwords) {
    size_t size = 0;
    for (const std::string& password : passwords) size += password.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& password : passwords) {
        text += password;
        text += "\r\n";
    }
    return text;
}

}  // namespace quor
