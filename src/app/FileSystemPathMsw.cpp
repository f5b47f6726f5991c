// Windows file names are UTF-16; the engine takes them as UTF-8 and widens
// them again for the wide file functions, so no character is lost to the
// ANSI code page.
#include "app/FileChooser.h"

std::string fileSystemPath(const wxString& path) { return path.utf8_string(); }
