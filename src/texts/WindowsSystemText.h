// Text across the Windows API's wide strings, for the Windows build's own
// files: the engine's texts and paths are UTF-8, Windows speaks UTF-16.
#pragma once

#include <windows.h>

#include <string>

std::wstring widened(const std::string& utf8);
std::string narrowed(const std::wstring& wide);

// The system's words for a Windows error (FormatMessage), in UTF-8 without the
// line end it comes with; empty when the system has none.
std::string windowsErrorWords(DWORD error);
// The same for a box's reason, with the error's number: "words (Windows error N)".
std::string windowsErrorText(DWORD error);
