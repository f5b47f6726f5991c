// The questions a load asks before it replaces a buffer's contents. A file no
// larger than the buffer is loaded without a word, however large it is; a
// larger one only after the user agrees, and one of 64 KiB or more only after
// a second question, because filling that many cells takes long.
#pragma once

#include <cstdint>

struct LoadQuestions {
    bool largerThanBuffer = false; // "Plik jest większy niż wczytywana pamięć! ..."
    bool veryLarge = false;        // asked only after a yes to the first
};

inline constexpr std::uint64_t VERY_LARGE_FILE_BYTES = 0x10000;

LoadQuestions loadQuestions(std::uint64_t fileBytes, std::uint32_t bufferBytes);
