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

} // namespace

void InstallVertexArrayHooks() {
    Hook(__glewGenVertexArrays, realGenVertexArrays, GenVertexArrays);
    Hook(__glewDeleteVertexArrays, realDeleteVertexArrays, DeleteVertexArrays);
    Hook(__glewBindVertexArray, realBindVertexArray, BindVertexArray);
    Hook(__glewVertexAttribPointer, realVertexAttribPointer, VertexAttribPointer);
    Hook(__glewVertexAttribIPointer, realVertexAttribIPointer, VertexAttribIPointer);
    Hook(__glewEnableVertexAttribArray, realEnableVertexAttribArray, EnableVertexAttribArray);
}

} // namespace rec
