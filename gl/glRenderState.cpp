#include "glRenderState.h"

#include "glChecks.h"
#include "glContext.h"

#include <cstdio>

ViewportState::ViewportState(GLsizei width, GLsizei height, float zNear, float zFar)
    : x(0), y(0), width(width), height(height), zNear(zNear), zFar(zFar) {}

void glApplyViewportState(const ViewportState* state) {
    glChecks::Scope scope("glApplyViewportState");
    if (state == nullptr) {
        return;
    }
    glViewport(state->x, state->y, state->width, state->height);
    glDepthRange(state->zNear, state->zFar);
}

namespace {

// Remembers the first entry point whose call had to be skipped, for the one line a call may print.
class MissingEntryPoint {
  public:
    void Note(const char* name) {
        if (first_ == nullptr) {
            first_ = name;
        }
    }
    void Report(const char* function) const {
        if (first_ != nullptr) {
            fprintf(stderr, "%s() : %s is not available\n", function, first_);
        }
    }

  private:
    const char* first_ = nullptr;
};

// The per-buffer mask call the context offers, or null: EXT_draw_buffers2's on a compatibility context
// that lists it, OpenGL 3.0's on a core profile. `name` is set either way, for the line when it is missing.
PFNGLCOLORMASKIPROC IndexedColorMask(const char*& name) {
    const glContext::Context& context = glContext::Current();
    if (context.core) {
        name = "glColorMaski";
        return glColorMaski;
    }
    name = "glColorMaskIndexedEXT";
    return context.extDrawBuffers2 ? glColorMaskIndexedEXT : nullptr;
}

// Each channel argument is the masked bit itself: non-zero exactly when the channel is written.
void SetColorMasks(const GLubyte (&masks)[8], MissingEntryPoint& missing) {
    const char* name = nullptr;
    if (PFNGLCOLORMASKIPROC colorMaskIndexed = IndexedColorMask(name)) {
        // All eight, whatever the number of draw buffers in use.
        for (GLuint i = 0; i < 8; ++i) {
            GLubyte m = masks[i];
            colorMaskIndexed(i, m & 0x01, m & 0x02, m & 0x04, m & 0x08);
        }
        return;
    }
    // The core call sets one mask for every draw buffer: buffer 0's is the one a single render target
    // needs, and it is exact when the others ask for the same.
    GLubyte m = masks[0];
    glColorMask(m & 0x01, m & 0x02, m & 0x04, m & 0x08);
    for (int i = 1; i < 8; ++i) {
        if ((masks[i] & 0x0F) != (m & 0x0F)) {
            missing.Note(name);
            return;
        }
    }
}

} // namespace

void glApplyBlendState(const BlendState* state, const float* blendColor) {
    glChecks::Scope scope("glApplyBlendState");
    if (state == nullptr) {
        return;
    }
    MissingEntryPoint missing;
    if (state->blendEnable) {
        glEnable(GL_BLEND);
        if (glBlendFuncSeparate != nullptr) {
            glBlendFuncSeparate(state->srcRGB, state->dstRGB, state->srcAlpha, state->dstAlpha);
        } else if (state->srcRGB == state->srcAlpha && state->dstRGB == state->dstAlpha) {
            // The same factors for colour and alpha need no separate call.
            glBlendFunc(state->srcRGB, state->dstRGB);
        } else {
            missing.Note("glBlendFuncSeparate");
        }
        if (glBlendEquation != nullptr) {
            glBlendEquation(state->blendEquation);
        } else {
            missing.Note("glBlendEquation");
        }
        // Without a colour the caller keeps the one already set.
        if (blendColor != nullptr) {
            if (glBlendColor != nullptr) {
                glBlendColor(blendColor[0], blendColor[1], blendColor[2], blendColor[3]);
            } else {
                missing.Note("glBlendColor");
            }
        }
    } else {
        glDisable(GL_BLEND);
    }
    SetColorMasks(state->colorWriteMask, missing);
    missing.Report("glApplyBlendState");
}

void glApplyDepthStencilState(const DepthStencilState* state, GLint stencilRef) {
    glChecks::Scope scope("glApplyDepthStencilState");
    if (state == nullptr) {
        return;
    }
    if (state->depthEnable) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(state->depthFunc);
        glDepthMask(state->depthWriteMask);
    } else {
        // The write mask goes with the test: a disabled test leaves depth writes as they were.
        glDisable(GL_DEPTH_TEST);
    }
    if (state->stencilEnable) {
        glEnable(GL_STENCIL_TEST);
        glStencilMask(state->stencilWriteMask);
        glStencilFunc(state->stencilFunc, stencilRef, state->stencilReadMask);
        glStencilOp(state->stencilFailOp, state->stencilDepthFailOp, state->stencilPassOp);
    } else {
        glDisable(GL_STENCIL_TEST);
    }
}
