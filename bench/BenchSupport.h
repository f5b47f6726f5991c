// What the window benchmarks share: each case runs in a child process of its
// own (so that the resident memory it adds belongs to it alone) and prints its
// figures as one line, which the parent reads back.
#pragma once

#include <cstdio>
#include <string>
#include <unistd.h>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

inline double residentMb()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// In the child: the toolkit without a main loop, messages to stderr.
inline bool startCaseProcess(int& argc, char** argv)
{
    if (!wxEntryStart(argc, argv))
        return false;
    wxTheApp->CallOnInit();
    delete wxLog::SetActiveTarget(new wxLogStderr);
    return true;
}

// In the parent: what the child run as `command` printed.
inline std::string childOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, pipe))
            output += chunk;
        pclose(pipe);
    }
    return output;
}
