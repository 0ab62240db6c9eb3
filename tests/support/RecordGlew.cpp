#include "RecordHooks.h"

namespace rec {

void InstallGlewHooks() {
    InstallProgramHooks();
    InstallTextureHooks();
    InstallRenderStateHooks();
    InstallFramebufferHooks();
    InstallBufferHooks();
    InstallVertexArrayHooks();
    InstallValidationHooks();
}

} // namespace rec
