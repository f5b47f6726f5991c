// The system's reasons for a failure (an errno value) in the program's words:
// one table for the port box and the file boxes, each row with the words for
// a device and for a file.
#pragma once

#include <string>

enum class ReasonFor { Device, File };

// The common reasons in Polish; any other in the system's own words.
std::string systemReasonText(int error, ReasonFor subject);
