// rovidada-de12-cli for Windows: as on Linux, plus what the Windows console
// needs. The arguments are taken in UTF-16 and handed on as UTF-8 (the ANSI
// code page would lose Polish letters in file names), the console shows UTF-8,
// and the standard streams are binary, so an image piped through "-" keeps
// its bytes (text mode would turn each 0x0A into 0x0D 0x0A).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/ThisMachine.h"

namespace {

std::string narrowed(const wchar_t* wide)
{
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(bytes > 0 ? bytes - 1 : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::vector<std::string> utf8Arguments()
{
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i)
        result.push_back(narrowed(arguments[i]));
    ::LocalFree(arguments);
    return result;
}

} // namespace

int main()
{
    ::SetConsoleOutputCP(CP_UTF8);
    ::SetConsoleCP(CP_UTF8);
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    const StandardStreamTerminals terminals{::_isatty(0) != 0, ::_isatty(1) != 0, ::_isatty(2) != 0};
    return runCliOnThisMachine(utf8Arguments(), terminals);
}
