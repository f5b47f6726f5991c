// The program's words for what a load or a save of an image file could not
// do, for the window's boxes and the command line's messages alike.
#pragma once

#include <string>

#include "images/MemoryImageFile.h"

// One line naming the line of the file and what is wrong with it, for
// example "Wiersz 12: zła suma kontrolna (jest E9, powinna być E8)."
std::string recordErrorText(ImageFormat format, const RecordError& error);

// The whole message for a failed load: the file's problem or, for broken
// records, which format they are in and recordErrorText on a line of its own.
std::string loadFailureText(const MemoryImageLoad& load);

// The message for a failed save.
std::string saveFailureText(const ImageSave& save);

// A box's text with the system's reason (error, when not 0) on a second line,
// in Polish for the common ones: "Nie moge otworzyc pliku\nBrak miejsca na dysku".
std::string withReasonLine(std::string text, int error);
