/// @file
/// The render-state records (blend, depth-stencil, viewport) and the functions that apply each in one call.
///
/// A program fills a record once and applies it whenever it needs that state; each apply function sets its
/// whole group, so what was set before does not matter, and a null record changes nothing. The records are
/// plain values: the functions read them and keep no pointer to them. Every function needs a current GL
/// context; entry points beyond OpenGL 1.1 come from the extension loader, which the program initialises
/// after creating its window. GL errors stay queued for glCheckError (glError.h).
#pragma once

#include "glExport.h"
#include <GL/glew.h>

/// The viewport rectangle and depth range.
struct VISTREL_API ViewportState {
    GLint x;        ///< left edge, in window pixels
    GLint y;        ///< bottom edge, in window pixels
    GLsizei width;  ///< in pixels
    GLsizei height; ///< in pixels
    float zNear;    ///< near end of the depth range
    float zFar;     ///< far end of the depth range

    /// A viewport at x and y 0 of the given size and depth range.
    ViewportState(GLsizei width, GLsizei height, float zNear, float zFar);
};

/// Sets the viewport and the depth range from `state`; a null state makes no GL call. Prints nothing.
VISTREL_API void glApplyViewportState(const ViewportState* state);

/// Blending and the colour write masks of draw buffers 0 to 7. The caller sets every field.
struct BlendState {
    bool blendEnable;     ///< blending on or off (GL_BLEND)
    GLenum srcRGB;        ///< source factor for red, green and blue
    GLenum srcAlpha;      ///< source factor for alpha
    GLenum blendEquation; ///< for colour and alpha together
    GLenum dstRGB;        ///< destination factor for red, green and blue
    GLenum dstAlpha;      ///< destination factor for alpha
    /// Per draw buffer: 0x01 red, 0x02 green, 0x04 blue, 0x08 alpha; higher bits are ignored.
    GLubyte colorWriteMask[8];
};

/// Applies blending and the colour write masks of draw buffers 0 to 7.
///
/// Turns blending on with the factors, equation and `blendColor` (four floats) of `state`, or off leaving
/// them as they were, then sets the colour write mask of each draw buffer. A null `blendColor` keeps the
/// blend colour; a null state makes no GL call. The per-buffer masks are set with glColorMaskIndexedEXT where
/// a compatibility context lists EXT_draw_buffers2, with glColorMaski on a core profile; without them buffer
/// 0's mask goes to every buffer. Entry points the loader lacks are skipped or replaced by their core
/// equivalent, and when something asked for could not be set, prints "glApplyBlendState() : <first missing
/// entry point> is not available".
VISTREL_API void glApplyBlendState(const BlendState* state, const float* blendColor);

/// The depth and stencil tests. The caller sets every field.
struct DepthStencilState {
    bool depthEnable;          ///< depth test on or off (GL_DEPTH_TEST)
    bool depthWriteMask;       ///< depth writes on or off, applied with the test only
    GLenum depthFunc;          ///< depth comparison (GL_LESS, GL_LEQUAL, ...)
    bool stencilEnable;        ///< stencil test on or off (GL_STENCIL_TEST)
    GLubyte stencilReadMask;   ///< masks reference and stored value; widened with zero high bits
    GLubyte stencilWriteMask;  ///< the stencil bits that may be written; widened with zero high bits
    GLenum stencilFailOp;      ///< action when the stencil test fails
    GLenum stencilDepthFailOp; ///< action when the stencil test passes and the depth test fails
    GLenum stencilPassOp;      ///< action when both tests pass
    GLenum stencilFunc;        ///< stencil comparison (GL_ALWAYS, GL_EQUAL, ...)
};

/// Applies the depth and stencil tests.
///
/// Turns each test on with its settings (one set of stencil actions for both faces, reference `stencilRef`),
/// or off leaving its function and masks as they were. A null state makes no GL call. Prints nothing.
VISTREL_API void glApplyDepthStencilState(const DepthStencilState* state, GLint stencilRef);
