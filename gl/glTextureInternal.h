// Texture creation for the library's other units, on a context they have already asked for. Used inside
// the library only; not installed.
#pragma once

#include "glTexture.h"

namespace glContext {
struct Context;
}

namespace glTextureInternal {

// glCreateTexture's work after its checks, on `context`, which must be current; `desc` and `data` are
// not null. An operation that makes several textures so asks the window system once.
GLuint CreateTexture(const glContext::Context& context, const TextureDesc* desc, const TextureData* data,
                     const TextureSampler* sampler);

} // namespace glTextureInternal
