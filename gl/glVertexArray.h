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
/// Owns the object named by `id`, not the buffers it reads from; not copyable, movable. Bind and the Set...
/// calls make no GL call while it holds none.
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

    /// The context that made `id`, as its window system names it (its GLX or EGL context handle); null
    /// while the object holds none. Set by the library: destroying or replacing the object on another
    /// context is refused, since there the same name may be another object.
    const void* context = nullptr;
};
