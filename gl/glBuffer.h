/// @file
/// Vertex-buffer creation, update and deletion, and buffers bound to the indexed binding points.
///
/// Creation, update and deletion report GL errors through glCheckError, naming this unit's source file and
/// the line of the check, and return its result: true means GL reported an error. The caller owns the buffer
/// names. GL buffers are not typed, so a buffer made here serves as an index buffer too
/// (CglVertexArray::SetIndexBuffer), and as a uniform or storage buffer (glBindBufferToIndex).
#pragma once

#include "glExport.h"
#include <GL/glew.h>

/// What to create. The caller sets every field.
struct BufferDesc {
    GLsizeiptr size; ///< bytes in the data store
    GLenum usage;    ///< usage hint: GL_STATIC_DRAW, GL_DYNAMIC_DRAW, ...
};

/// The initial contents. The caller sets the field.
struct BufferData {
    const GLubyte* data; ///< `size` bytes to copy; null leaves the store without defined content
};

/// Creates a GL_ARRAY_BUFFER object of desc->size bytes from data->data and writes its name to *bufferID.
///
/// Returns true when GL reported an error (printed by glCheckError; the name is written all the same) and
/// false otherwise. A null argument returns false at once: no GL call, no name written. Leaves the
/// array-buffer binding at 0. When the loader lacks a buffer entry point, makes no GL call, writes 0, prints
/// "glCreateVertexBuffer() : <entry point> is not available" and returns true; with no context current, the
/// same with "glCreateVertexBuffer() : no GL context is current".
VISTREL_API bool glCreateVertexBuffer(const BufferDesc* desc, const BufferData* data, GLuint* bufferID);

/// Deletes the buffer *bufferID; the caller's variable keeps the name.
///
/// Returns glCheckError's result, which also reports an error left pending by earlier calls; false without a
/// GL call for a null pointer. When the loader lacks glDeleteBuffers, prints "glDeleteVertexBuffer() :
/// glDeleteBuffers is not available" and returns true.
VISTREL_API bool glDeleteVertexBuffer(const GLuint* bufferID);

/// Replaces `size` bytes of the buffer `bufferID` from byte `offset` on with `data`.
///
/// Returns true when GL reported an error (a range outside the store, say; printed by glCheckError), false
/// otherwise, and false without a GL call for null `data`, which prints "glUpdateVertexBuffer() : data is
/// null". Leaves the array-buffer binding at 0 and touches
/// no vertex array's state. When the loader lacks a buffer entry point, makes no GL call, prints
/// "glUpdateVertexBuffer() : <entry point> is not available" and returns true.
VISTREL_API bool glUpdateVertexBuffer(GLuint bufferID, GLintptr offset, GLsizeiptr size, const GLubyte* data);

/// Binds the buffer `buffer` (0 unbinds) to binding point `index` of `target`, whole or in part.
///
/// For GL_UNIFORM_BUFFER (the blocks that CglProgram::SetUniformBlockBinding points there),
/// GL_SHADER_STORAGE_BUFFER and GL_TRANSFORM_FEEDBACK_BUFFER. A `size` of 0 binds the whole buffer with
/// glBindBufferBase, `offset` unused; otherwise `size` bytes from byte `offset` on with glBindBufferRange,
/// whose offset must be a multiple of GL_UNIFORM_BUFFER_OFFSET_ALIGNMENT for uniform buffers. GL also
/// leaves `buffer` bound at `target` itself. Unlike the functions above it reads no GL error: a bad target,
/// index or range leaves its error queued. When the loader lacks the call, makes no GL call and prints
/// "glBindBufferToIndex() : <entry point> is not available".
VISTREL_API void glBindBufferToIndex(GLenum target, GLuint index, GLuint buffer, GLintptr offset,
                                     GLsizeiptr size);
