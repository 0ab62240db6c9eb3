// A shared object of the parent project with the offscreen target's unit linked in from the static
// library: its virtual table needs that library's code to be position-independent.
#include <vistrel/glOffscreenBuffer.h>

#include <typeinfo>

const char* PluginTargetType() {
    return typeid(CglOffscreenBuffer).name();
}
