// The command line's lines on standard error: its messages, the procedures'
// boxes and result lines. Info lines are left out with -q; every line said is
// kept for the JSON summary.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class Messages {
public:
    // beforeLine runs before each line printed (the progress line clears itself).
    Messages(std::ostream& err, bool quiet, std::function<void()> beforeLine = {})
        : err_(err), quiet_(quiet), beforeLine_(std::move(beforeLine))
    {
    }

    void say(const std::string& line, bool info = false);
    // A line kept for the summary that is already on the terminal (an answer typed).
    void keep(const std::string& line) { lines_.push_back(line); }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::ostream& err_;
    bool quiet_;
    std::function<void()> beforeLine_;
    std::vector<std::string> lines_;
};
