// A program of the parent project using the library it built and its own shared object; needs no GL
// context.
#include <vistrel/glTexture.h>

#include <cstdio>

const char* PluginTargetType();

int main() {
    TextureSampler sampler;
    printf("%s, default anisotropy %d\n", PluginTargetType(), sampler.maxAnisotropy);
    return sampler.maxAnisotropy == 1 ? 0 : 1;
}
