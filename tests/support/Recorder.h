// A call recorder between the code under test and the real driver.
//
// The test binaries define the core GL and GLUT entry points the code calls, and replace GLEW's entry
// point pointers after glewInit; each definition records the call with its arguments and forwards it to
// the real driver. Calls made by GLUT itself (the GL calls inside glutBitmapCharacter, say) are not
// recorded: only what our code calls.
//
// A recorded call reads like C: "glBindFramebufferEXT(0x8D40, 3)". Enumerations and bit masks are
// upper-case hexadecimal with at least four digits, other integers decimal, floats in their shortest
// exact form, float arrays in braces. Results and values returned through pointers follow " -> ":
// "glGetIntegerv(0x8CA6) -> 0", "glCreateShader(0x8B31) -> 2".
//
// A test may script the result of a call where the real driver cannot produce that state: the value
// of glutGet's clock, a framebuffer status, a second pending GL error. A scripted call is recorded with
// the scripted result and is not forwarded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rec {

// Starts recording, dropping what was recorded before; scripted results stay queued.
void Start();
// Stops recording; the calls stay readable.
void Stop();
// Stops, forgets the calls and every scripted result.
void Reset();
bool Recording();

const std::vector<std::string>& Calls();
// The function names of the recorded calls, in order.
std::vector<std::string> Names();
// The recorded calls of one function, in order.
std::vector<std::string> CallsTo(const std::string& function);
size_t CountOf(const std::string& function);

// Queues a result for the next unscripted call of `function`; results are used in the order queued.
void Script(const std::string& function, int64_t result);
// Makes the loader's glewGetExtension answer true for `extension`, as on a driver that lists it, until
// Reset. The library reads the context's extension list there.
void PretendListed(const std::string& extension);
// The opposite, for an extension the driver cannot leave out of its list (Mesa always lists
// GL_EXT_framebuffer_blit), until Reset.
void PretendUnlisted(const std::string& extension);
// Queues a text for the next unscripted call of `function` that returns text (glGetString): a version
// string that no driver at hand writes. Texts are used in the order queued.
void ScriptText(const std::string& function, const std::string& text);
// Makes the window system's current-context query (glXGetCurrentContext) answer `handle` until Reset, as
// when a new context is given the handle of a destroyed one; null lets the real answer through again.
void PretendCurrentContext(const void* handle);
// How many times the window system was asked for its current context while recording since Start.
size_t CurrentContextQueries();

// Installs the recording wrappers into GLEW's entry points. Call once after glewInit (or instead of
// it, for a run without the loader: entry points GLEW left null stay null).
void InstallGlewHooks();

// ---- formatting, shared by the wrappers and by tests building expected calls ----
struct Arg {
    std::string text;
};
Arg Enum(uint32_t value);                   // "0x0DE1"
Arg Int(int64_t value);                     // "-3"
Arg Float(double value);                    // "0.5", "9729", "3.40282347e+38"
Arg Floats(const float* values, int count); // "{1, 1, 0, 1}", "null"
Arg Ptr(const void* pointer);               // "null" or "ptr"
Arg Text(const char* text);                 // "\"name\"" or "null"
Arg Font(const void* font);                 // "9x15" for GLUT_BITMAP_9_BY_15, otherwise "font"

// "name(a, b, c)"
std::string Call(const std::string& name, const std::vector<Arg>& args);
// "name(a, b, c) -> result"
std::string Call(const std::string& name, const std::vector<Arg>& args, const Arg& result);

// ---- used by the wrappers ----
// True when a call arriving now is one of ours to record.
bool ShouldRecord();
bool Pretended(const char* extension);
bool PretendedUnlisted(const char* extension);
void Append(std::string call);
// Takes the next scripted result of `function`, if any.
bool TakeScripted(const std::string& function, int64_t& result);
// Takes the next scripted text of `function`, if any; it stays readable until the next one is taken.
bool TakeScriptedText(const std::string& function, const char*& text);
// The handle the current-context query answers instead of the real one; null for none.
const void* PretendedContext();
// Counts one current-context query, when recording.
void CountContextQuery();
// Marks calls made from inside a GLUT entry point, which are GLUT's own and not recorded.
struct ForeignScope {
    ForeignScope();
    ~ForeignScope();
    ForeignScope(const ForeignScope&) = delete;
    ForeignScope& operator=(const ForeignScope&) = delete;
};

} // namespace rec
