// Recording wrapper for the debug-output entry point the validation mode takes from the loader.
#include "RecordHooks.h"

namespace rec {
namespace {

decltype(__glewDebugMessageCallback) realDebugMessageCallback;
void GLAPIENTRY DebugMessageCallback(GLDEBUGPROC callback, const void* userParam) {
    realDebugMessageCallback(callback, userParam);
    Record("glDebugMessageCallback", {Ptr(reinterpret_cast<const void*>(callback)), Ptr(userParam)});
}

} // namespace

void InstallValidationHooks() {
    Hook(__glewDebugMessageCallback, realDebugMessageCallback, DebugMessageCallback);
}

} // namespace rec
