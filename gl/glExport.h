// Marks the declarations that make up the library's interface. The library is compiled with hidden
// visibility, so libvistrel.so exports these and nothing else: the internal units and helpers stay
// inside it, free to change without breaking programs linked against it.
#pragma once

#if defined(__GNUC__)
#define VISTREL_API __attribute__((visibility("default")))
#else
#define VISTREL_API
#endif
