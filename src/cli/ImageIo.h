// The one place where the command line reads and writes image files, so that
// a change of format (another kind of image file) is a change here alone.
// "-" stands for the standard input or output.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

#include "images/ImageFile.h"

ImageLoad readImage(const std::string& path, std::istream& standardInput);
ImageSave writeImage(const std::string& path, std::span<const std::uint8_t> bytes, std::ostream& standardOutput);

// Before a long read: the output's folder exists and takes new files, and the
// output is no folder, so that a wrong path fails before the board is touched.
ImageSave checkOutputPath(const std::string& path);

// The line that says why a file failed, with the window's text first.
std::string imageFailureLine(const std::string& path, ImageFileFailure failure, const std::string& reason);
