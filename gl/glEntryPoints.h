// Whether the loader provided the entry points an operation goes through, so that none is ever called
// through a null pointer. Used inside the library only; not installed.
#pragma once

#include <initializer_list>

namespace glEntryPoints {

struct EntryPoint {
    bool present; // the loader's pointer is set (and, for an extension it may fill anyway, listed)
    const char* name;
};

// The name of the first entry point of `needed` that is missing; null when every one is there.
const char* FirstMissing(std::initializer_list<EntryPoint> needed);

// True when every entry point of `needed` is there. Otherwise writes
// "<className>::<operation> ERROR: <first missing> is not available\n" and returns false.
bool Available(const char* className, const char* operation, std::initializer_list<EntryPoint> needed);

} // namespace glEntryPoints
