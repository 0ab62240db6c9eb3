/// @file
/// Vertex array objects: which buffers feed which vertex attributes, and the index buffer, recorded once and
/// brought back with one bind. They work alike on compatibility contexts and core profiles; a core profile
/// draws from nothing else.
///
/// Every operation runs on the thread that owns the GL context, with the extension loader initialised. Where
/// the loader lacks an entry point an operation needs, the operation makes no GL call and prints
/// "CglVertexArray::<Operation> ERROR: <entry point> is not available\n". GL errors are never read here; they
/// stay queued for the caller's own check.
#pragma once

#include "glExport.h"
#include <GL/glew.h>

/// One vertex array object.
///
/// Owns the object named by `id`, not the buffers it reads from; not copyable, movable. Bind, the Set...
/// calls and the draws make no GL call while it holds none.
///
/// The vertex array belongs to the context current when Create made it (`context`); vertex arrays are never
/// shared between contexts. Create again, or Destroy, on another context or with none current makes no GL
/// call and prints "CglVertexArray::<Operation> ERROR: belongs to another context\n" (or "... ERROR: no GL
/// context is current\n"). The operations in between ask the window system nothing and are checked so only
/// in the validation mode (glValidation.h).
class VISTREL_API CglVertexArray {
  public:
    /// The vertex array object owned; 0 when none.
    GLuint id = 0;

    /// Holds no vertex array and makes no GL call.
    CglVertexArray() = default;
    /// Deletes the vertex array it holds.
    ~CglVertexArray();
    /// Not copyable: two objects owning one vertex array would delete it twice.
    CglVertexArray(const CglVertexArray&) = delete;
    /// Not copyable: two objects owning one vertex array would delete it twice.
    CglVertexArray& operator=(const CglVertexArray&) = delete;
    /// Takes over `other`'s vertex array; `other` is left holding none.
    CglVertexArray(CglVertexArray&& other) noexcept;
    /// Deletes the vertex array held, then takes over `other`'s.
    CglVertexArray& operator=(CglVertexArray&& other) noexcept;

    /// Deletes the vertex array held, then generates a new name into `id` and returns true.
    ///
    /// GL makes the object itself at its first bind, which every Set... call does. Changes no binding.
    /// Without vertex array objects in the loader: no GL call, prints the "not available" line, returns
    /// false.
    bool Create();
    /// Deletes the vertex array held (no GL call when none) and leaves `id` 0.
    ///
    /// GL unbinds it first when it is bound.
    void Destroy();

    /// Makes this vertex array the one drawing reads from. No GL call when it holds none.
    void Bind() const;
    /// Binds vertex array 0, whichever one was bound: on a core profile nothing can be drawn then.
    void Unbind() const;

    /// Feeds attribute `index` from a buffer, as floats, and enables it.
    ///
    /// Attribute `index` reads `components` values of `type` per vertex from `buffer`, starting `offset`
    /// bytes into it and `stride` bytes apart (0: tightly packed), converted to floats (integer types mapped
    /// to [0, 1] or [-1, 1] when `normalized`), and is enabled. Leaves the vertex array binding and the
    /// array-buffer binding at 0; no other vertex array's state changes.
    void SetAttribute(GLuint index, GLuint buffer, GLint components, GLenum type, bool normalized,
                      GLsizei stride, GLintptr offset);
    /// As SetAttribute, for an attribute the shader declares as int, ivec, uint or uvec.
    ///
    /// The values reach it as the integers of `type` (one of GL's integer types), unconverted.
    void SetIntegerAttribute(GLuint index, GLuint buffer, GLint components, GLenum type, GLsizei stride,
                             GLintptr offset);
    /// Makes `buffer` (0 for none) this vertex array's index buffer, which indexed draws read.
    ///
    /// The element-array binding belongs to the vertex array, so it is made while this one is bound. Leaves
    /// the vertex array binding and the array-buffer binding at 0, as the other Set... calls do.
    void SetIndexBuffer(GLuint buffer);
    /// Makes attribute `index` advance once every `divisor` instances (0: once per vertex, as before).
    ///
    /// For per-instance data, such as an offset or a colour per copy drawn by an instanced Draw. Leaves the
    /// vertex array binding and the array-buffer binding at 0, as the other Set... calls do. Takes
    /// glVertexAttribDivisor, or where the loader lacks it (a context older than OpenGL 3.3) that of
    /// ARB_instanced_arrays when the context lists that extension; with neither it prints the "not
    /// available" line naming glVertexAttribDivisor.
    void SetAttributeDivisor(GLuint index, GLuint divisor);

    /// Draws `count` vertices from `first` on, `instances` times.
    ///
    /// Binds this vertex array, draws with glDrawArrays (one instance) or glDrawArraysInstanced (any other
    /// count, 0 drawing nothing), and binds vertex array 0 again. Makes no GL call while it holds none. A
    /// context older than OpenGL 3.1 draws instances with ARB_instanced_arrays' call when it lists that
    /// extension; otherwise an instanced draw prints the "not available" line naming glDrawArraysInstanced.
    /// GL errors (an unknown mode, a negative count) stay queued.
    void Draw(GLenum mode, GLint first, GLsizei count, GLsizei instances = 1) const;
    /// Draws `count` indices of `indexType` read from the index buffer, `indexOffset` bytes into it,
    /// `instances` times.
    ///
    /// As Draw, with glDrawElements or glDrawElementsInstanced. The index buffer is the one SetIndexBuffer
    /// gave this vertex array.
    void DrawIndexed(GLenum mode, GLsizei count, GLenum indexType, GLintptr indexOffset,
                     GLsizei instances = 1) const;

    /// The context that made `id`, as its window system names it (its GLX or EGL context handle); null
    /// while the object holds none. Set by the library: destroying or replacing the object on another
    /// context is refused, since there the same name may be another object.
    const void* context = nullptr;
};
