// The line errors a port reports: one word of flags, with the values the error
// word has always had on Windows, so that the messages keep their order and
// meaning (LineErrorTexts.h).
#pragma once

#include <cstdint>

namespace LineError {
inline constexpr std::uint32_t RXOVER = 0x0001;   // input queue overflow
inline constexpr std::uint32_t OVERRUN = 0x0002;  // receiver overrun (no message)
inline constexpr std::uint32_t RXPARITY = 0x0004; // parity error
inline constexpr std::uint32_t FRAME = 0x0008;    // framing error
inline constexpr std::uint32_t BREAK = 0x0010;    // break received (no message)
inline constexpr std::uint32_t TXFULL = 0x0100;   // output queue full
inline constexpr std::uint32_t IOE = 0x0400;      // device I/O error (adapter unplugged)
} // namespace LineError
