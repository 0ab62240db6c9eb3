// Recording wrappers for the buffer-object entry points the loader provides.
#include "RecordHooks.h"

namespace rec {
namespace {

decltype(__glewGenBuffers) realGenBuffers;
void GLAPIENTRY GenBuffers(GLsizei n, GLuint* buffers) {
    realGenBuffers(n, buffers);
    Record("glGenBuffers", {Int(n)}, Int(n > 0 ? buffers[0] : 0));
}

decltype(__glewBindBuffer) realBindBuffer;
void GLAPIENTRY BindBuffer(GLenum target, GLuint buffer) {
    realBindBuffer(target, buffer);
    Record("glBindBuffer", {Enum(target), Int(buffer)});
}

decltype(__glewBufferData) realBufferData;
void GLAPIENTRY BufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage) {
    realBufferData(target, size, data, usage);
    Record("glBufferData", {Enum(target), Int(size), Ptr(data), Enum(usage)});
}

decltype(__glewBufferSubData) realBufferSubData;
void GLAPIENTRY BufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, const void* data) {
    realBufferSubData(target, offset, size, data);
    Record("glBufferSubData", {Enum(target), Int(offset), Int(size), Ptr(data)});
}

decltype(__glewDeleteBuffers) realDeleteBuffers;
void GLAPIENTRY DeleteBuffers(GLsizei n, const GLuint* buffers) {
    realDeleteBuffers(n, buffers);
    Record("glDeleteBuffers", {Int(n), Int(n > 0 ? buffers[0] : 0)});
}

decltype(__glewBindBufferBase) realBindBufferBase;
void GLAPIENTRY BindBufferBase(GLenum target, GLuint index, GLuint buffer) {
    realBindBufferBase(target, index, buffer);
    Record("glBindBufferBase", {Enum(target), Int(index), Int(buffer)});
}

decltype(__glewBindBufferRange) realBindBufferRange;
void GLAPIENTRY BindBufferRange(GLenum target, GLuint index, GLuint buffer, GLintptr offset,
                                GLsizeiptr size) {
    realBindBufferRange(target, index, buffer, offset, size);
    Record("glBindBufferRange", {Enum(target), Int(index), Int(buffer), Int(offset), Int(size)});
}

} // namespace

void InstallBufferHooks() {
    Hook(__glewGenBuffers, realGenBuffers, GenBuffers);
    Hook(__glewBindBuffer, realBindBuffer, BindBuffer);
    Hook(__glewBufferData, realBufferData, BufferData);
    Hook(__glewBufferSubData, realBufferSubData, BufferSubData);
    Hook(__glewDeleteBuffers, realDeleteBuffers, DeleteBuffers);
    Hook(__glewBindBufferBase, realBindBufferBase, BindBufferBase);
    Hook(__glewBindBufferRange, realBindBufferRange, BindBufferRange);
}

} // namespace rec
