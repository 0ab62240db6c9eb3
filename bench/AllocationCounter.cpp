// Replaces the C allocator's entry points for the whole process and forwards them to glibc's own, so
// that every allocation, whoever makes it, is counted the same way.
#include "AllocationCounter.h"

#include <cerrno>
#include <cstddef>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* pointer);
}

namespace {
bool enabled = false;
uint64_t count = 0;

void Note() {
    if (enabled) {
        ++count;
    }
}
} // namespace

namespace alloc {
void Enable(bool on) {
    enabled = on;
}
uint64_t Count() {
    return count;
}
void ResetCount() {
    count = 0;
}
} // namespace alloc

extern "C" {

void* malloc(size_t size) {
    Note();
    return __libc_malloc(size);
}

void* calloc(size_t n, size_t size) {
    Note();
    return __libc_calloc(n, size);
}

void* realloc(void* pointer, size_t size) {
    Note();
    return __libc_realloc(pointer, size);
}

void free(void* pointer) {
    __libc_free(pointer);
}

int posix_memalign(void** out, size_t alignment, size_t size) {
    Note();
    void* pointer = __libc_memalign(alignment, size);
    if (pointer == nullptr) {
        return ENOMEM;
    }
    *out = pointer;
    return 0;
}

void* aligned_alloc(size_t alignment, size_t size) {
    Note();
    return __libc_memalign(alignment, size);
}

void* memalign(size_t alignment, size_t size) {
    Note();
    return __libc_memalign(alignment, size);
}

} // extern "C"
