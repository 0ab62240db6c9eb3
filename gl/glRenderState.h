/// @file
/// The render-state records (blend, depth-stencil, rasterizer, viewport), the functions that apply each in
/// one call, and presets for the common cases.
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

/// Blending and the colour write masks of draw buffers 0 to 7. The caller sets every field, or starts from a
/// preset.
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

/// @name Blend presets
/// Each sets every field; every draw buffer writes all four channels (colour write masks 0x0F).
///@{

/// Blending off (GL_BLEND disabled): fragments replace what is there. The factors GL_ONE and GL_ZERO and
/// the equation GL_FUNC_ADD, GL's own initial ones, are not applied while blending is off.
constexpr BlendState kglBlendOff = {
    false, GL_ONE, GL_ONE, GL_FUNC_ADD, GL_ZERO, GL_ZERO, {0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F}};
/// Transparency: blending on, colour and alpha both GL_SRC_ALPHA and GL_ONE_MINUS_SRC_ALPHA, GL_FUNC_ADD.
constexpr BlendState kglBlendAlpha = {true,
                                      GL_SRC_ALPHA,
                                      GL_SRC_ALPHA,
                                      GL_FUNC_ADD,
                                      GL_ONE_MINUS_SRC_ALPHA,
                                      GL_ONE_MINUS_SRC_ALPHA,
                                      {0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F}};
/// Light adding up (glows, particles): blending on, colour and alpha both GL_ONE and GL_ONE, GL_FUNC_ADD.
constexpr BlendState kglBlendAdditive = {
    true, GL_ONE, GL_ONE, GL_FUNC_ADD, GL_ONE, GL_ONE, {0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F}};
///@}

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

/// The depth and stencil tests. The caller sets every field, or starts from a preset.
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

/// @name Depth and stencil presets
/// Each sets every field. Where a test is off, its other fields are the values GL starts with (stencil
/// masks 0xFF, actions GL_KEEP, function GL_ALWAYS), which are not applied.
///@{

/// No depth test (and so no depth writes), no stencil test: overlays, full-screen passes.
constexpr DepthStencilState kglDepthOff = {false, false,   GL_LESS, false,   0xFF,
                                           0xFF,  GL_KEEP, GL_KEEP, GL_KEEP, GL_ALWAYS};
/// Depth test on with GL_LESS and depth writes on, no stencil test: opaque geometry.
constexpr DepthStencilState kglDepthLess = {true, true,    GL_LESS, false,   0xFF,
                                            0xFF, GL_KEEP, GL_KEEP, GL_KEEP, GL_ALWAYS};
/// As kglDepthLess with GL_LEQUAL: a second pass over the same geometry, a sky drawn at the far plane.
constexpr DepthStencilState kglDepthLessEqual = {true, true,    GL_LEQUAL, false,   0xFF,
                                                 0xFF, GL_KEEP, GL_KEEP,   GL_KEEP, GL_ALWAYS};
/// Marks what is drawn in the stencil buffer, for a mask or an outline's first pass: depth as kglDepthLess;
/// stencil test on, function GL_ALWAYS, read and write masks 0xFF, actions GL_KEEP (stencil fails),
/// GL_KEEP (depth fails), GL_REPLACE (both pass): every drawn pixel gets the reference value.
constexpr DepthStencilState kglStencilWrite = {true, true,    GL_LESS, true,       0xFF,
                                               0xFF, GL_KEEP, GL_KEEP, GL_REPLACE, GL_ALWAYS};
/// Draws only where the stencil buffer holds the reference value, leaving it unchanged: depth as
/// kglDepthLess; stencil test on, function GL_EQUAL, read mask 0xFF, write mask 0x00, actions GL_KEEP
/// throughout. For an outline's second pass, copy it and set the function to GL_NOTEQUAL.
constexpr DepthStencilState kglStencilEqual = {true, true,    GL_LESS, true,    0xFF,
                                               0x00, GL_KEEP, GL_KEEP, GL_KEEP, GL_EQUAL};
///@}

/// Face culling, winding, polygon mode and polygon offset. The caller sets every field, or starts from a
/// preset.
struct RasterState {
    bool cullEnable;           ///< face culling on or off (GL_CULL_FACE)
    GLenum cullFace;           ///< the faces culled: GL_BACK, GL_FRONT or GL_FRONT_AND_BACK
    GLenum frontFace;          ///< the winding of front faces: GL_CCW or GL_CW
    GLenum polygonMode;        ///< GL_FILL, GL_LINE or GL_POINT, for front and back faces alike
    bool polygonOffsetEnable;  ///< depth offset on or off for polygons drawn in `polygonMode`
    float polygonOffsetFactor; ///< offset scaled by the polygon's depth slope
    float polygonOffsetUnits;  ///< offset in the depth buffer's smallest steps
};

/// Applies face culling, winding, polygon mode and polygon offset.
///
/// Turns culling on for `cullFace` (GL_CULL_FACE, glCullFace), or off leaving the culled faces as they were;
/// sets the front faces' winding (glFrontFace) and the polygon mode of both faces (glPolygonMode with
/// GL_FRONT_AND_BACK, which core profiles take too); turns the polygon offset of `polygonMode` on
/// (GL_POLYGON_OFFSET_FILL, _LINE or _POINT) with its factor and units, or off leaving them as they were;
/// the offset switches of the two other modes, which draw nothing in this mode, are left alone. A null
/// state makes no GL call. GL errors (a value GL refuses) stay queued; prints nothing. Defined below,
/// inline: with a preset, the compiler leaves exactly the GL calls.
inline void glApplyRasterState(const RasterState* state);

/// @name Rasterizer presets
///@{

/// Both faces drawn (no culling, GL_BACK kept as the face to cull), counter-clockwise front faces, GL_FILL,
/// no polygon offset (factor and units 0): GL's initial state.
constexpr RasterState kglRasterDefault = {false, GL_BACK, GL_CCW, GL_FILL, false, 0.0f, 0.0f};
/// As kglRasterDefault with culling on: back faces (clockwise on screen) are not drawn. For closed meshes.
constexpr RasterState kglRasterCullBack = {true, GL_BACK, GL_CCW, GL_FILL, false, 0.0f, 0.0f};
///@}

// ---- inline definitions ----

// Every call is OpenGL 1.1, so nothing is looked up; inline, a preset's branches fold away.
inline void glApplyRasterState(const RasterState* state) {
    if (state == nullptr) {
        return;
    }
    if (state->cullEnable) {
        glEnable(GL_CULL_FACE);
        glCullFace(state->cullFace);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glFrontFace(state->frontFace);
    glPolygonMode(GL_FRONT_AND_BACK, state->polygonMode);
    // The offset switch of the mode the polygons are drawn in; the other two affect nothing then.
    GLenum offset = state->polygonMode == GL_LINE    ? GL_POLYGON_OFFSET_LINE
                    : state->polygonMode == GL_POINT ? GL_POLYGON_OFFSET_POINT
                                                     : GL_POLYGON_OFFSET_FILL;
    if (state->polygonOffsetEnable) {
        glEnable(offset);
        glPolygonOffset(state->polygonOffsetFactor, state->polygonOffsetUnits);
    } else {
        glDisable(offset);
    }
}
