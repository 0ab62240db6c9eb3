// The checks every unit shares: null arguments, the context an object belongs to, and the validation
// mode's flag, messages and error bracket. Used inside the library only; not installed.
//
// `where` names the operation a message comes from: "<Class>::<Operation>" for a class's, which prints
// "<Class>::<Operation> ERROR: ...", or the function's name for a free function, which prints
// "<function>() : ...".
#pragma once

#include <GL/glew.h>

namespace glContext {
struct Context;
}

namespace glChecks {

// ---- null arguments ----

// Writes "<Class>::<Operation> ERROR: <argument> is null", or "<function>() : <argument> is null".
void ReportNull(const char* where, const char* argument);

// True when `pointer` is set; otherwise writes the line above and returns false.
inline bool Given(const void* pointer, const char* where, const char* argument) {
    if (pointer == nullptr) {
        ReportNull(where, argument);
    }
    return pointer != nullptr;
}

// ---- the context an object belongs to ----

// The context an object made its GL names in, as the window system names it; null while it holds none.
using Owner = const void*;

// True when a context is current (`current`, from glContext) and, for an object that holds names
// (`owner` not null), it is the object's own. Otherwise writes "... ERROR: no GL context is current" or
// "... ERROR: belongs to another context" and returns false: the caller then makes no GL call, so that a
// name of another context is never deleted in its place.
bool OnOwnContext(const char* where, Owner owner, Owner current);

// ---- validation ----

// The calling thread's validation setting: unknown until the thread first asks, then off or on. Every
// operation reads it, so it is a plain thread-local byte in the initial-exec model: one load, where the
// general model would call into the dynamic loader, and C++'s thread_local a wrapper function.
enum Setting : unsigned char { kUnknown, kOff, kOn };
#if defined(__GNUC__) && defined(__ELF__)
extern __thread unsigned char setting __attribute__((tls_model("initial-exec")));
#elif defined(__GNUC__)
extern __thread unsigned char setting;
#else
extern thread_local unsigned char setting;
#endif

// Reads VISTREL_VALIDATE (once for the process) into the calling thread's setting.
bool FirstAsk();

// Whether the calling thread validates.
inline bool Validating() {
    return setting == kOn || (setting == kUnknown && FirstAsk());
}

// Writes "<Class>::<Operation> VALIDATION: <text>" (or "<function>() VALIDATION: <text>"), the text
// formatted as printf does.
void Report(const char* where, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Brackets one public operation. When validating and no operation of the library is already running on
// this thread, it reports the GL errors queued before the operation as the program's, and at its end
// those its own calls left, each by name. Nested operations (a guarded operation calling another) leave
// it to the outermost. Not validating, it costs one flag test.
class Scope {
  public:
    explicit Scope(const char* where)
        : where_(Validating() ? where : nullptr), outermost_(where_ != nullptr && Begin(where)) {}
    ~Scope() {
        if (where_ != nullptr) {
            End(where_, outermost_);
        }
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

    // True when this operation is to make the validation mode's checks: validating, and not called by
    // another operation of the library, which made them already.
    bool Checking() const { return outermost_; }

  private:
    // Static and given what they need, so that nothing takes the object's address and an operation that
    // does not validate keeps both fields in registers. Begin returns whether the operation is the
    // outermost.
    static bool Begin(const char* where);
    static void End(const char* where, bool outermost);

    const char* const where_; // set while validating
    const bool outermost_;
};

// ValidObject's checks, once it is known that they are to be made.
bool CheckObject(const char* where, bool holds, Owner owner, const char* emptyText);

// The validation mode's checks of an operation on an object between its creation and its destruction,
// made by the outermost operation only (`scope.Checking()`), and otherwise true at no cost: an object
// that holds nothing (`holds` false) is reported with `emptyText`, which says how to fix it; and false,
// with OnOwnContext's line, when `owner`'s context is not current, so that the operation makes no GL call.
inline bool ValidObject(const Scope& scope, const char* where, bool holds, Owner owner,
                        const char* emptyText) {
    return !scope.Checking() || CheckObject(where, holds, owner, emptyText);
}

// The name of a GL error ("GL_INVALID_OPERATION"), or null for a code GL does not define.
const char* ErrorName(GLenum error);

// Makes `context`'s debug output reach the standard error stream, where the context offers it (OpenGL 4.3
// or KHR_debug); once per context. Called when the calling thread validates; `context` must be current.
void RouteDebugOutput(glContext::Context& context);
// Undoes RouteDebugOutput on `context`, which must be current, unless the program has put its own
// reader in place since.
void UnrouteDebugOutput(glContext::Context& context);

} // namespace glChecks
