#pragma once
// The table the build generates: one entry per embedded file, ended by an
// entry whose name is null. Only Resources.cpp reads it.

#include <cstddef>

struct TEmbeddedResource {
    const char* Name;
    const unsigned char* Data;
    const std::size_t* Size;
};

extern const TEmbeddedResource EmbeddedResources[];
