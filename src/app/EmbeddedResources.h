// The images compiled into the executable (generated from resources/*.png):
// each one's name, the file name without its extension, and its PNG bytes.
#pragma once

#include <cstddef>
#include <span>

struct EmbeddedResource {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

std::span<const EmbeddedResource> embeddedResources();
