#pragma once
// The password generator's arithmetic: the alphabet the three check boxes choose, random bytes
// mapped onto it without favouring any character, the bounds of the dialog's two numbers, and
// the text a copy puts on the clipboard. No platform calls: the random bytes come from a source
// the caller passes in.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

// The most characters per password and the most passwords in one generation.
constexpr int kMaxPasswordLength = 1000;
constexpr int kMaxPasswordCount = 1000;

// Small and capital letters interleaved (a, A, b, B, ... z, Z), then the digits, each set only when
// chosen. With nothing chosen the capitals are taken, so a password never comes from an empty
// alphabet.
std::string PasswordAlphabet(bool useCapital, bool useSmall, bool useNumeral);

// Lowers a number typed into the dialog to `maximum`; false when it had to be lowered, so the
// dialog shows the corrected value. Numbers of 0 or less stay: they already mean "none".
bool ClampToMaximum(int32_t& value, int32_t maximum);

// Fills `count` bytes with random ones; false when the source failed.
using RandomFill = std::function<bool(uint8_t* bytes, size_t count)>;

// Maps a byte onto an alphabet of `size` characters (1 to 256) by rejection: only bytes below the
// largest multiple of `size` that fits in 256 are used, so every character has the same chance.
// nullopt for a byte to be thrown away.
std::optional<size_t> AlphabetIndexOf(uint8_t byte, size_t size);

// Draws passwords from a random source, a pool of its bytes at a time.
class PasswordGenerator {
public:
    PasswordGenerator(std::string alphabet, RandomFill fill);

    // `length` characters of the alphabet (0 or less: the empty string); nullopt when the source
    // failed.
    std::optional<std::string> Generate(int length);

    const std::string& alphabet() const { return alphabet_; }

private:
    std::optional<uint8_t> NextByte();
    std::string alphabet_;
    RandomFill fill_;
    std::array<uint8_t, 4096> pool_{};
    size_t used_ = pool_.size();
};

// The selected passwords as the clipboard gets them: each followed by CR LF, whole.
std::string PasswordCopyText(const std::vector<std::string>& passwords);

}  // namespace quor
