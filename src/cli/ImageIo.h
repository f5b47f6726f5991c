// The one place where the command line reads and writes image files, through
// the engine's one entry point for them: raw images, S-records and Intel HEX,
// recognised by their content when read, chosen by the name's ending when
// written (raw for any other name). "-" stands for the standard input, which
// may carry any of them, or the standard output, which gets a raw image.
#pragma once

#include <iosfwd>
#include <string>

#include "images/MemoryImageFile.h"

MemoryImageLoad readImage(const std::string& path, std::istream& standardInput);
ImageSave writeImage(const std::string& path, const MemoryImage& image, std::ostream& standardOutput);

// Before a long read: the output's folder exists and takes new files, and the
// output is no folder, so that a wrong path fails before the board is touched.
ImageSave checkOutputPath(const std::string& path);

// One line that says why a file failed: the file, the window's words, the reason.
std::string loadFailureLine(const std::string& path, const MemoryImageLoad& load);
std::string saveFailureLine(const std::string& path, const ImageSave& save);
