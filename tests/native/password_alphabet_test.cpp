#include "app/tools/password_alphabet.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace quor {
namespace {

// Bytes 0, 1, ... 255, 0, 1, ... : every value once in each run of 256.
RandomFill EveryByteInTurn() {
    auto next = std::make_shared<uint8_t>(0);
    return [next](uint8_t* bytes, size_t count) {
        for (size_t i = 0; i < count; ++i) bytes[i] = (*next)++;
        return true;
    };
}

std::map<char, int> CountCharacters(const std::string& text) {
    std::map<char, int> counts;
    for (const char c : text) ++counts[c];
    return counts;
}

TEST(PasswordAlphabet, FollowsTheCheckBoxes) {
    EXPECT_EQ(PasswordAlphabet(true, true, true),
              "aAbBcCdDeEfFgGhHiIjJkKlLmMnNoOpPqQrRsStTuUvVwWxXyYzZ0123456789")
        << "small before capital for each letter, then the digits: 62 characters";
    EXPECT_EQ(PasswordAlphabet(false, false, true), "0123456789");
    EXPECT_EQ(PasswordAlphabet(false, true, false), "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(PasswordAlphabet(true, false, true), "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    EXPECT_EQ(PasswordAlphabet(false, false, false), "ABCDEFGHIJKLMNOPQRSTUVWXYZ")
        << "nothing chosen: the capitals, never an empty alphabet";
}

TEST(PasswordAlphabet, OnlyNumbersAboveTheBoundAreCorrected) {
    int32_t value = 5000;
    EXPECT_FALSE(ClampToMaximum(value, kMaxPasswordLength));
    EXPECT_EQ(value, 1000);
    value = 1000;
    EXPECT_TRUE(ClampToMaximum(value, kMaxPasswordLength)) << "the bound itself is allowed";
    EXPECT_EQ(value, 1000);
    value = -3;
    EXPECT_TRUE(ClampToMaximum(value, kMaxPasswordCount)) << "none stays none";
    EXPECT_EQ(value, -3);
}

TEST(PasswordRejection, BytesAboveTheLastWholeMultipleAreThrownAway) {
    // 62 characters: 248 is the largest multiple of 62 below 256.
    EXPECT_EQ(AlphabetIndexOf(0, 62), 0u);
    EXPECT_EQ(AlphabetIndexOf(61, 62), 61u);
    EXPECT_EQ(AlphabetIndexOf(62, 62), 0u);
    EXPECT_EQ(AlphabetIndexOf(247, 62), 61u);
    for (int byte = 248; byte < 256; ++byte)
        EXPECT_FALSE(AlphabetIndexOf(static_cast<uint8_t>(byte), 62)) << "byte " << byte;
    EXPECT_EQ(AlphabetIndexOf(255, 256), 255u) << "256 characters use every byte";
    EXPECT_EQ(AlphabetIndexOf(249, 10), 9u);
    EXPECT_EQ(AlphabetIndexOf(250, 10), std::nullopt) << "10 characters: 250 and up thrown away";
    EXPECT_EQ(AlphabetIndexOf(5, 0), std::nullopt) << "no alphabet, no index";
}

TEST(PasswordRejection, ARejectedByteNeverBecomesACharacter) {
    // Only bytes the 62-letter alphabet must refuse, then 0, 1 and 2.
    std::vector<uint8_t> bytes = {248, 249, 250, 251, 252, 253, 254, 255, 0, 255, 1, 2};
    bytes.resize(4096, 255);
    size_t asked = 0;
    PasswordGenerator generator(PasswordAlphabet(true, true, true), [&](uint8_t* out, size_t count) {
        for (size_t i = 0; i < count; ++i) out[i] = bytes[(asked + i) % bytes.size()];
        asked += count;
        return true;
    });
    EXPECT_EQ(generator.Generate(3), "aAb") << "bytes 0, 1 and 2, nothing for the refused ones";
}

TEST(PasswordRejection, EveryCharacterGetsExactlyItsShareOfAllByteValues) {
    for (const std::string& alphabet : {PasswordAlphabet(true, true, true), PasswordAlphabet(false, false, true),
                                        PasswordAlphabet(true, false, false), PasswordAlphabet(true, false, true),
                                        PasswordAlphabet(true, true, false)}) {
        const size_t size = alphabet.size();
        const size_t kept = 256 - 256 % size;
        PasswordGenerator generator(alphabet, EveryByteInTurn());
        // Each run of 256 bytes gives `kept` characters, each character kept / size times.
        const std::optional<std::string> text = generator.Generate(static_cast<int>(kept * 7));
        ASSERT_TRUE(text);
        const std::map<char, int> counts = CountCharacters(*text);
        EXPECT_EQ(counts.size(), size) << alphabet;
        for (const auto& [c, n] : counts) EXPECT_EQ(n, static_cast<int>(kept / size * 7)) << alphabet << ": " << c;
    }
}

TEST(PasswordRejection, ManyRandomDrawsAreSpreadEvenly) {
    std::mt19937 engine(20240611);
    PasswordGenerator generator(PasswordAlphabet(true, true, true), [&](uint8_t* out, size_t count) {
        for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(engine());
        return true;
    });
    std::string all;
    for (int i = 0; i < 200; ++i) all += generator.Generate(1000).value();
    const std::map<char, int> counts = CountCharacters(all);
    ASSERT_EQ(counts.size(), 62u) << "every character appears";
    // 200,000 draws: about 3226 each, with a spread of about 56. A plain remainder would give the
    // first eight characters a quarter more (5 bytes of 256 instead of 4).
    for (const auto& [c, n] : counts) {
        EXPECT_GT(n, 3226 - 300) << c;
        EXPECT_LT(n, 3226 + 300) << c;
    }
}

TEST(PasswordGenerator, LengthsAndAFailingSource) {
    PasswordGenerator generator(PasswordAlphabet(false, false, true), EveryByteInTurn());
    EXPECT_EQ(generator.Generate(0), "") << "0 characters: the empty password";
    EXPECT_EQ(generator.Generate(-5), "") << "fewer: the same";
    EXPECT_EQ(generator.Generate(kMaxPasswordLength)->size(), 1000u);
    EXPECT_EQ(generator.Generate(5), "01234") << "the next one goes on past the refused bytes 250 to 255";

    int calls = 0;
    PasswordGenerator failing("AB", [&](uint8_t*, size_t) {
        ++calls;
        return false;
    });
    EXPECT_EQ(failing.Generate(8), std::nullopt) << "no random bytes: no password, never a guessable one";
    EXPECT_EQ(calls, 1);
}

TEST(PasswordCopyText, EverySelectedPasswordEndsWithCrLfAndNothingIsCut) {
    EXPECT_EQ(PasswordCopyText({}), "") << "nothing selected: the empty text";
    EXPECT_EQ(PasswordCopyText({"abc", "", "XYZ"}), "abc\r\n\r\nXYZ\r\n");
    const std::vector<std::string> many(kMaxPasswordCount, std::string(kMaxPasswordLength, 'Q'));
    const std::string text = PasswordCopyText(many);
    EXPECT_EQ(text.size(), 1000u * 1002u) << "a thousand passwords of a thousand characters, whole";
    EXPECT_EQ(text.substr(text.size() - 3), "Q\r\n");
}

}  // namespace
}  // namespace quor
