// The window system's current-context query, which the library finds at run time through the dynamic
// loader: this definition, exported by the test binary, is the one it finds. It counts the library's
// queries while recording and answers with a pretended handle where a test simulates a new context given
// the handle of a destroyed one, which no driver can be made to do on request.
#include "RecordHooks.h"

#include <GL/glx.h>

extern "C" GLXContext glXGetCurrentContext() {
    static auto real = rec::Next<decltype(&glXGetCurrentContext)>("glXGetCurrentContext");
    rec::CountContextQuery();
    if (const void* pretended = rec::PretendedContext()) {
        return static_cast<GLXContext>(const_cast<void*>(pretended));
    }
    return real();
}
