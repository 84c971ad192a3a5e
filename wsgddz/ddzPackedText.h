// Fixed texts in the host's packed form: a character count, then two characters
// per 32-bit word, each pair followed by two blanks.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t ddzPackPair(char first, char second) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned char>(first)) |
                                (static_cast<uint32_t>(static_cast<unsigned char>(second)) << 8) |
                                (uint32_t{' '} << 16) | (uint32_t{' '} << 24));
}

//! Words a packed text of n characters occupies with its count word.
constexpr int ddzPackedWords(int n) { return 1 + (n + 1) / 2; }

template <size_t Chars>
struct ddzPackedText {
    int32_t count;
    int32_t words[(Chars + 1) / 2];
};

template <size_t N>
constexpr ddzPackedText<N - 1> ddzPack(const char (&text)[N]) {
    ddzPackedText<N - 1> packed{};
    packed.count = static_cast<int32_t>(N - 1);
    for (size_t i = 0; i < (N - 1 + 1) / 2; ++i) {
        const char second = 2 * i + 1 < N - 1 ? text[2 * i + 1] : ' ';
        packed.words[i] = ddzPackPair(text[2 * i], second);
    }
    return packed;
}
