// Marks the declarations that make up the library's interface. The library is compiled with hidden
// visibility, so libvistrel.so exports these and nothing else: the internal units and helpers stay
// inside it, free to change without breaking programs linked against it.
#pragma once

#if defined(__GNUC__) && !defined(_WIN32)
#define VISTREL_API __attribute__((visibility("default")))
// A member of an exported class that only the library itself calls.
#define VISTREL_INTERNAL __attribute__((visibility("hidden")))
#else
#define VISTREL_API
#define VISTREL_INTERNAL
#endif
