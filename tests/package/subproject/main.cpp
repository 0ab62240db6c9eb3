// A program of the parent project using the library it built; needs no GL context.
#include <vistrel/glTexture.h>

#include <cstdio>

int main() {
    TextureSampler sampler;
    printf("default anisotropy %d\n", sampler.maxAnisotropy);
    return sampler.maxAnisotropy == 1 ? 0 : 1;
}
