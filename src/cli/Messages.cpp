#include "cli/Messages.h"

#include <ostream>

void Messages::say(const std::string& line, bool info)
{
    lines_.push_back(line);
    if (info && quiet_)
        return;
    if (beforeLine_)
        beforeLine_();
    err_ << line << '\n' << std::flush;
}
