// The texts only the Windows build shows, kept apart so that Texts.h (which
// nearly every file includes) stays the same on both systems.
#pragma once

#include "texts/Texts.h"

namespace texts {

// What a ROVIDADA_COMn value may be on Windows (second line of the port box).
inline constexpr Text PORT_VALUE_NOT_UNDERSTOOD_WINDOWS =
    u8"oczekiwano portu (COM5, \\\\.\\COM12), sim, sim:MODEL, sim:MODEL@nMHz albo rfc2217://HOST:PORT";

} // namespace texts
