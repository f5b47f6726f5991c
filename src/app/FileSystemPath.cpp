// Linux file names are bytes: the path in the encoding of the C library's locale.
#include "app/FileChooser.h"

std::string fileSystemPath(const wxString& path) { return std::string(path.fn_str()); }
