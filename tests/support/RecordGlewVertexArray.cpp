// Recording wrappers for the vertex-array and vertex-attribute entry points the loader provides.
#include "RecordHooks.h"

namespace rec {
namespace {

decltype(__glewGenVertexArrays) realGenVertexArrays;
void GLAPIENTRY GenVertexArrays(GLsizei n, GLuint* arrays) {
    realGenVertexArrays(n, arrays);
    Record("glGenVertexArrays", {Int(n)}, Int(n > 0 ? arrays[0] : 0));
}

decltype(__glewDeleteVertexArrays) realDeleteVertexArrays;
void GLAPIENTRY DeleteVertexArrays(GLsizei n, const GLuint* arrays) {
    realDeleteVertexArrays(n, arrays);
    Record("glDeleteVertexArrays", {Int(n), Int(n > 0 ? arrays[0] : 0)});
}

decltype(__glewBindVertexArray) realBindVertexArray;
void GLAPIENTRY BindVertexArray(GLuint array) {
    realBindVertexArray(array);
    Record("glBindVertexArray", {Int(array)});
}

// The offset is recorded as the number it stands for.
Arg Offset(const void* pointer) {
    return Int(static_cast<int64_t>(reinterpret_cast<intptr_t>(pointer)));
}

decltype(__glewVertexAttribPointer) realVertexAttribPointer;
void GLAPIENTRY VertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalized,
                                    GLsizei stride, const void* pointer) {
    realVertexAttribPointer(index, size, type, normalized, stride, pointer);
    Record("glVertexAttribPointer",
           {Int(index), Int(size), Enum(type), Int(normalized), Int(stride), Offset(pointer)});
}

decltype(__glewVertexAttribIPointer) realVertexAttribIPointer;
void GLAPIENTRY VertexAttribIPointer(GLuint index, GLint size, GLenum type, GLsizei stride,
                                     const void* pointer) {
    realVertexAttribIPointer(index, size, type, stride, pointer);
    Record("glVertexAttribIPointer", {Int(index), Int(size), Enum(type), Int(stride), Offset(pointer)});
}

decltype(__glewEnableVertexAttribArray) realEnableVertexAttribArray;
void GLAPIENTRY EnableVertexAttribArray(GLuint index) {
    realEnableVertexAttribArray(index);
    Record("glEnableVertexAttribArray", {Int(index)});
}

// OpenGL 3.1 and 3.3's instanced calls, and ARB_instanced_arrays' of the same form.
decltype(__glewVertexAttribDivisor) realVertexAttribDivisor;
void GLAPIENTRY VertexAttribDivisor(GLuint index, GLuint divisor) {
    realVertexAttribDivisor(index, divisor);
    Record("glVertexAttribDivisor", {Int(index), Int(divisor)});
}

decltype(__glewVertexAttribDivisorARB) realVertexAttribDivisorARB;
void GLAPIENTRY VertexAttribDivisorARB(GLuint index, GLuint divisor) {
    realVertexAttribDivisorARB(index, divisor);
    Record("glVertexAttribDivisorARB", {Int(index), Int(divisor)});
}

decltype(__glewDrawArraysInstanced) realDrawArraysInstanced;
void GLAPIENTRY DrawArraysInstanced(GLenum mode, GLint first, GLsizei count, GLsizei instances) {
    realDrawArraysInstanced(mode, first, count, instances);
    Record("glDrawArraysInstanced", {Enum(mode), Int(first), Int(count), Int(instances)});
}

decltype(__glewDrawArraysInstancedARB) realDrawArraysInstancedARB;
void GLAPIENTRY DrawArraysInstancedARB(GLenum mode, GLint first, GLsizei count, GLsizei instances) {
    realDrawArraysInstancedARB(mode, first, count, instances);
    Record("glDrawArraysInstancedARB", {Enum(mode), Int(first), Int(count), Int(instances)});
}

decltype(__glewDrawElementsInstanced) realDrawElementsInstanced;
void GLAPIENTRY DrawElementsInstanced(GLenum mode, GLsizei count, GLenum type, const void* indices,
                                      GLsizei instances) {
    realDrawElementsInstanced(mode, count, type, indices, instances);
    Record("glDrawElementsInstanced", {Enum(mode), Int(count), Enum(type), Offset(indices), Int(instances)});
}

decltype(__glewDrawElementsInstancedARB) realDrawElementsInstancedARB;
void GLAPIENTRY DrawElementsInstancedARB(GLenum mode, GLsizei count, GLenum type, const void* indices,
                                         GLsizei instances) {
    realDrawElementsInstancedARB(mode, count, type, indices, instances);
    Record("glDrawElementsInstancedARB",
           {Enum(mode), Int(count), Enum(type), Offset(indices), Int(instances)});
}

} // namespace

void InstallVertexArrayHooks() {
    Hook(__glewGenVertexArrays, realGenVertexArrays, GenVertexArrays);
    Hook(__glewDeleteVertexArrays, realDeleteVertexArrays, DeleteVertexArrays);
    Hook(__glewBindVertexArray, realBindVertexArray, BindVertexArray);
    Hook(__glewVertexAttribPointer, realVertexAttribPointer, VertexAttribPointer);
    Hook(__glewVertexAttribIPointer, realVertexAttribIPointer, VertexAttribIPointer);
    Hook(__glewEnableVertexAttribArray, realEnableVertexAttribArray, EnableVertexAttribArray);
    Hook(__glewVertexAttribDivisor, realVertexAttribDivisor, VertexAttribDivisor);
    Hook(__glewVertexAttribDivisorARB, realVertexAttribDivisorARB, VertexAttribDivisorARB);
    Hook(__glewDrawArraysInstanced, realDrawArraysInstanced, DrawArraysInstanced);
    Hook(__glewDrawArraysInstancedARB, realDrawArraysInstancedARB, DrawArraysInstancedARB);
    Hook(__glewDrawElementsInstanced, realDrawElementsInstanced, DrawElementsInstanced);
    Hook(__glewDrawElementsInstancedARB, realDrawElementsInstancedARB, DrawElementsInstancedARB);
}

} // namespace rec
