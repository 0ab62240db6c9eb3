#include "glEntryPoints.h"

#include <cstdio>

namespace glEntryPoints {

const char* FirstMissing(std::initializer_list<EntryPoint> needed) {
    for (const EntryPoint& entry : needed) {
        if (!entry.present) {
            return entry.name;
        }
    }
    return nullptr;
}

bool Available(const char* className, const char* operation, std::initializer_list<EntryPoint> needed) {
    const char* missing = FirstMissing(needed);
    if (missing != nullptr) {
        fprintf(stderr, "%s::%s ERROR: %s is not available\n", className, operation, missing);
    }
    return missing == nullptr;
}

} // namespace glEntryPoints
