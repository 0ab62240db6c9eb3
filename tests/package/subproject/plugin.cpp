// The parent project's shared object, with a unit of the static library linked in: the offscreen
// target's virtual table needs that library's code to be position-independent.
#include <vistrel/glOffscreenBuffer.h>

#include <typeinfo>

const char* PluginTargetType() {
    return typeid(CglOffscreenBuffer).name();
}
