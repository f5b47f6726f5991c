// What the load and save commands of the main window offer beyond their
// handlers: a way for tests to act as another program that changes a file
// while it is being loaded.
#pragma once

#include "images/ImageFile.h"

// For tests: while this object lives, loading a file runs `hook` between taking
// the file's size and reading it (see loadImageFile).
class ScopedLoadHook {
public:
    explicit ScopedLoadHook(AfterSizeHook hook);
    ~ScopedLoadHook();
    ScopedLoadHook(const ScopedLoadHook&) = delete;
    ScopedLoadHook& operator=(const ScopedLoadHook&) = delete;

private:
    AfterSizeHook previous_;
};
