// Recording wrappers for the shader and program entry points the loader provides.
#include "RecordHooks.h"

namespace rec {
namespace {

decltype(__glewCreateShader) realCreateShader;
GLuint GLAPIENTRY CreateShader(GLenum type) {
    GLuint shader = realCreateShader(type);
    Record("glCreateShader", {Enum(type)}, Int(shader));
    return shader;
}

decltype(__glewShaderSource) realShaderSource;
void GLAPIENTRY ShaderSource(GLuint shader, GLsizei count, const GLchar* const* strings,
                             const GLint* lengths) {
    realShaderSource(shader, count, strings, lengths);
    Record("glShaderSource",
           {Int(shader), Int(count), Ptr(strings), lengths ? Int(lengths[0]) : Arg{"null"}});
}

decltype(__glewCompileShader) realCompileShader;
void GLAPIENTRY CompileShader(GLuint shader) {
    realCompileShader(shader);
    Record("glCompileShader", {Int(shader)});
}

decltype(__glewGetObjectParameterivARB) realGetObjectParameterivARB;
void GLAPIENTRY GetObjectParameterivARB(GLhandleARB object, GLenum pname, GLint* params) {
    realGetObjectParameterivARB(object, pname, params);
    Record("glGetObjectParameterivARB", {Int(object), Enum(pname)}, Int(params[0]));
}

decltype(__glewGetInfoLogARB) realGetInfoLogARB;
void GLAPIENTRY GetInfoLogARB(GLhandleARB object, GLsizei maxLength, GLsizei* length, GLcharARB* log) {
    realGetInfoLogARB(object, maxLength, length, log);
    Record("glGetInfoLogARB", {Int(object), Int(maxLength), Ptr(length), Ptr(log)});
}

decltype(__glewDeleteObjectARB) realDeleteObjectARB;
void GLAPIENTRY DeleteObjectARB(GLhandleARB object) {
    realDeleteObjectARB(object);
    Record("glDeleteObjectARB", {Int(object)});
}

decltype(__glewProgramParameteriEXT) realProgramParameteriEXT;
void GLAPIENTRY ProgramParameteriEXT(GLuint program, GLenum pname, GLint value) {
    realProgramParameteriEXT(program, pname, value);
    Record("glProgramParameteriEXT", {Int(program), Enum(pname), Int(value)});
}

decltype(__glewCreateProgramObjectARB) realCreateProgramObjectARB;
GLhandleARB GLAPIENTRY CreateProgramObjectARB() {
    GLhandleARB program = realCreateProgramObjectARB();
    Record("glCreateProgramObjectARB", {}, Int(program));
    return program;
}

decltype(__glewCreateProgram) realCreateProgram;
GLuint GLAPIENTRY CreateProgram() {
    GLuint program = realCreateProgram();
    Record("glCreateProgram", {}, Int(program));
    return program;
}

decltype(__glewAttachShader) realAttachShader;
void GLAPIENTRY AttachShader(GLuint program, GLuint shader) {
    realAttachShader(program, shader);
    Record("glAttachShader", {Int(program), Int(shader)});
}

decltype(__glewLinkProgram) realLinkProgram;
void GLAPIENTRY LinkProgram(GLuint program) {
    realLinkProgram(program);
    Record("glLinkProgram", {Int(program)});
}

decltype(__glewDeleteProgram) realDeleteProgram;
void GLAPIENTRY DeleteProgram(GLuint program) {
    realDeleteProgram(program);
    Record("glDeleteProgram", {Int(program)});
}

decltype(__glewUseProgram) realUseProgram;
void GLAPIENTRY UseProgram(GLuint program) {
    realUseProgram(program);
    Record("glUseProgram", {Int(program)});
}

decltype(__glewGetUniformLocation) realGetUniformLocation;
GLint GLAPIENTRY GetUniformLocation(GLuint program, const GLchar* name) {
    GLint location = realGetUniformLocation(program, name);
    Record("glGetUniformLocation", {Int(program), Text(name)}, Int(location));
    return location;
}

decltype(__glewUniform1f) realUniform1f;
void GLAPIENTRY Uniform1f(GLint location, GLfloat v0) {
    realUniform1f(location, v0);
    Record("glUniform1f", {Int(location), Float(v0)});
}

decltype(__glewUniform2f) realUniform2f;
void GLAPIENTRY Uniform2f(GLint location, GLfloat v0, GLfloat v1) {
    realUniform2f(location, v0, v1);
    Record("glUniform2f", {Int(location), Float(v0), Float(v1)});
}

decltype(__glewUniform3f) realUniform3f;
void GLAPIENTRY Uniform3f(GLint location, GLfloat v0, GLfloat v1, GLfloat v2) {
    realUniform3f(location, v0, v1, v2);
    Record("glUniform3f", {Int(location), Float(v0), Float(v1), Float(v2)});
}

decltype(__glewUniform4f) realUniform4f;
void GLAPIENTRY Uniform4f(GLint location, GLfloat v0, GLfloat v1, GLfloat v2, GLfloat v3) {
    realUniform4f(location, v0, v1, v2, v3);
    Record("glUniform4f", {Int(location), Float(v0), Float(v1), Float(v2), Float(v3)});
}

decltype(__glewUniformMatrix4fv) realUniformMatrix4fv;
void GLAPIENTRY UniformMatrix4fv(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value) {
    realUniformMatrix4fv(location, count, transpose, value);
    Record("glUniformMatrix4fv", {Int(location), Int(count), Int(transpose), Floats(value, 16 * count)});
}

decltype(__glewUniform1fv) realUniform1fv;
void GLAPIENTRY Uniform1fv(GLint location, GLsizei count, const GLfloat* value) {
    realUniform1fv(location, count, value);
    Record("glUniform1fv", {Int(location), Int(count), Floats(value, count)});
}

decltype(__glewUniform2fv) realUniform2fv;
void GLAPIENTRY Uniform2fv(GLint location, GLsizei count, const GLfloat* value) {
    realUniform2fv(location, count, value);
    Record("glUniform2fv", {Int(location), Int(count), Floats(value, 2 * count)});
}

decltype(__glewUniform3fv) realUniform3fv;
void GLAPIENTRY Uniform3fv(GLint location, GLsizei count, const GLfloat* value) {
    realUniform3fv(location, count, value);
    Record("glUniform3fv", {Int(location), Int(count), Floats(value, 3 * count)});
}

decltype(__glewUniform4fv) realUniform4fv;
void GLAPIENTRY Uniform4fv(GLint location, GLsizei count, const GLfloat* value) {
    realUniform4fv(location, count, value);
    Record("glUniform4fv", {Int(location), Int(count), Floats(value, 4 * count)});
}

decltype(__glewUniform1i) realUniform1i;
void GLAPIENTRY Uniform1i(GLint location, GLint v0) {
    realUniform1i(location, v0);
    Record("glUniform1i", {Int(location), Int(v0)});
}

// Integer arrays in the braces that Floats uses.
Arg Ints(const GLint* values, int count) {
    std::string text = "{";
    for (int i = 0; i < count; ++i) {
        text += (i ? ", " : "") + Int(values[i]).text;
    }
    return {text + "}"};
}

decltype(__glewUniform2i) realUniform2i;
void GLAPIENTRY Uniform2i(GLint location, GLint v0, GLint v1) {
    realUniform2i(location, v0, v1);
    Record("glUniform2i", {Int(location), Int(v0), Int(v1)});
}

decltype(__glewUniform3i) realUniform3i;
void GLAPIENTRY Uniform3i(GLint location, GLint v0, GLint v1, GLint v2) {
    realUniform3i(location, v0, v1, v2);
    Record("glUniform3i", {Int(location), Int(v0), Int(v1), Int(v2)});
}

decltype(__glewUniform4i) realUniform4i;
void GLAPIENTRY Uniform4i(GLint location, GLint v0, GLint v1, GLint v2, GLint v3) {
    realUniform4i(location, v0, v1, v2, v3);
    Record("glUniform4i", {Int(location), Int(v0), Int(v1), Int(v2), Int(v3)});
}

decltype(__glewUniform1ui) realUniform1ui;
void GLAPIENTRY Uniform1ui(GLint location, GLuint v0) {
    realUniform1ui(location, v0);
    Record("glUniform1ui", {Int(location), Int(v0)});
}

decltype(__glewUniform2ui) realUniform2ui;
void GLAPIENTRY Uniform2ui(GLint location, GLuint v0, GLuint v1) {
    realUniform2ui(location, v0, v1);
    Record("glUniform2ui", {Int(location), Int(v0), Int(v1)});
}

decltype(__glewUniform3ui) realUniform3ui;
void GLAPIENTRY Uniform3ui(GLint location, GLuint v0, GLuint v1, GLuint v2) {
    realUniform3ui(location, v0, v1, v2);
    Record("glUniform3ui", {Int(location), Int(v0), Int(v1), Int(v2)});
}

decltype(__glewUniform4ui) realUniform4ui;
void GLAPIENTRY Uniform4ui(GLint location, GLuint v0, GLuint v1, GLuint v2, GLuint v3) {
    realUniform4ui(location, v0, v1, v2, v3);
    Record("glUniform4ui", {Int(location), Int(v0), Int(v1), Int(v2), Int(v3)});
}

decltype(__glewUniformMatrix2fv) realUniformMatrix2fv;
void GLAPIENTRY UniformMatrix2fv(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value) {
    realUniformMatrix2fv(location, count, transpose, value);
    Record("glUniformMatrix2fv", {Int(location), Int(count), Int(transpose), Floats(value, 4 * count)});
}

decltype(__glewUniformMatrix3fv) realUniformMatrix3fv;
void GLAPIENTRY UniformMatrix3fv(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value) {
    realUniformMatrix3fv(location, count, transpose, value);
    Record("glUniformMatrix3fv", {Int(location), Int(count), Int(transpose), Floats(value, 9 * count)});
}

decltype(__glewUniform1iv) realUniform1iv;
void GLAPIENTRY Uniform1iv(GLint location, GLsizei count, const GLint* value) {
    realUniform1iv(location, count, value);
    Record("glUniform1iv", {Int(location), Int(count), Ints(value, count)});
}

decltype(__glewUniform2iv) realUniform2iv;
void GLAPIENTRY Uniform2iv(GLint location, GLsizei count, const GLint* value) {
    realUniform2iv(location, count, value);
    Record("glUniform2iv", {Int(location), Int(count), Ints(value, 2 * count)});
}

decltype(__glewUniform3iv) realUniform3iv;
void GLAPIENTRY Uniform3iv(GLint location, GLsizei count, const GLint* value) {
    realUniform3iv(location, count, value);
    Record("glUniform3iv", {Int(location), Int(count), Ints(value, 3 * count)});
}

decltype(__glewUniform4iv) realUniform4iv;
void GLAPIENTRY Uniform4iv(GLint location, GLsizei count, const GLint* value) {
    realUniform4iv(location, count, value);
    Record("glUniform4iv", {Int(location), Int(count), Ints(value, 4 * count)});
}

decltype(__glewActiveTexture) realActiveTexture;
void GLAPIENTRY ActiveTexture(GLenum texture) {
    realActiveTexture(texture);
    Record("glActiveTexture", {Enum(texture)});
}

decltype(__glewGetShaderiv) realGetShaderiv;
void GLAPIENTRY GetShaderiv(GLuint shader, GLenum pname, GLint* params) {
    realGetShaderiv(shader, pname, params);
    Record("glGetShaderiv", {Int(shader), Enum(pname)}, Int(params[0]));
}

decltype(__glewGetShaderInfoLog) realGetShaderInfoLog;
void GLAPIENTRY GetShaderInfoLog(GLuint shader, GLsizei maxLength, GLsizei* length, GLchar* log) {
    realGetShaderInfoLog(shader, maxLength, length, log);
    Record("glGetShaderInfoLog", {Int(shader), Int(maxLength), Ptr(length), Ptr(log)});
}

decltype(__glewGetProgramiv) realGetProgramiv;
void GLAPIENTRY GetProgramiv(GLuint program, GLenum pname, GLint* params) {
    realGetProgramiv(program, pname, params);
    Record("glGetProgramiv", {Int(program), Enum(pname)}, Int(params[0]));
}

decltype(__glewGetProgramInfoLog) realGetProgramInfoLog;
void GLAPIENTRY GetProgramInfoLog(GLuint program, GLsizei maxLength, GLsizei* length, GLchar* log) {
    realGetProgramInfoLog(program, maxLength, length, log);
    Record("glGetProgramInfoLog", {Int(program), Int(maxLength), Ptr(length), Ptr(log)});
}

decltype(__glewDeleteShader) realDeleteShader;
void GLAPIENTRY DeleteShader(GLuint shader) {
    realDeleteShader(shader);
    Record("glDeleteShader", {Int(shader)});
}

decltype(__glewGetUniformBlockIndex) realGetUniformBlockIndex;
GLuint GLAPIENTRY GetUniformBlockIndex(GLuint program, const GLchar* name) {
    GLuint index = realGetUniformBlockIndex(program, name);
    Record("glGetUniformBlockIndex", {Int(program), Text(name)}, Enum(index));
    return index;
}

decltype(__glewUniformBlockBinding) realUniformBlockBinding;
void GLAPIENTRY UniformBlockBinding(GLuint program, GLuint index, GLuint binding) {
    realUniformBlockBinding(program, index, binding);
    Record("glUniformBlockBinding", {Int(program), Int(index), Int(binding)});
}

decltype(__glewGetProgramResourceIndex) realGetProgramResourceIndex;
GLuint GLAPIENTRY GetProgramResourceIndex(GLuint program, GLenum programInterface, const GLchar* name) {
    GLuint index = realGetProgramResourceIndex(program, programInterface, name);
    Record("glGetProgramResourceIndex", {Int(program), Enum(programInterface), Text(name)}, Enum(index));
    return index;
}

decltype(__glewShaderStorageBlockBinding) realShaderStorageBlockBinding;
void GLAPIENTRY ShaderStorageBlockBinding(GLuint program, GLuint index, GLuint binding) {
    realShaderStorageBlockBinding(program, index, binding);
    Record("glShaderStorageBlockBinding", {Int(program), Int(index), Int(binding)});
}

decltype(__glewDispatchCompute) realDispatchCompute;
void GLAPIENTRY DispatchCompute(GLuint x, GLuint y, GLuint z) {
    realDispatchCompute(x, y, z);
    Record("glDispatchCompute", {Int(x), Int(y), Int(z)});
}

decltype(__glewMemoryBarrier) realMemoryBarrier;
void GLAPIENTRY MemoryBarrier(GLbitfield barriers) {
    realMemoryBarrier(barriers);
    Record("glMemoryBarrier", {Enum(barriers)});
}

} // namespace

void InstallProgramHooks() {
    Hook(__glewCreateShader, realCreateShader, CreateShader);
    Hook(__glewShaderSource, realShaderSource, ShaderSource);
    Hook(__glewCompileShader, realCompileShader, CompileShader);
    Hook(__glewGetObjectParameterivARB, realGetObjectParameterivARB, GetObjectParameterivARB);
    Hook(__glewGetInfoLogARB, realGetInfoLogARB, GetInfoLogARB);
    Hook(__glewDeleteObjectARB, realDeleteObjectARB, DeleteObjectARB);
    Hook(__glewProgramParameteriEXT, realProgramParameteriEXT, ProgramParameteriEXT);
    Hook(__glewCreateProgramObjectARB, realCreateProgramObjectARB, CreateProgramObjectARB);
    Hook(__glewCreateProgram, realCreateProgram, CreateProgram);
    Hook(__glewAttachShader, realAttachShader, AttachShader);
    Hook(__glewLinkProgram, realLinkProgram, LinkProgram);
    Hook(__glewDeleteProgram, realDeleteProgram, DeleteProgram);
    Hook(__glewUseProgram, realUseProgram, UseProgram);
    Hook(__glewGetUniformLocation, realGetUniformLocation, GetUniformLocation);
    Hook(__glewUniform1f, realUniform1f, Uniform1f);
    Hook(__glewUniform2f, realUniform2f, Uniform2f);
    Hook(__glewUniform3f, realUniform3f, Uniform3f);
    Hook(__glewUniform4f, realUniform4f, Uniform4f);
    Hook(__glewUniformMatrix4fv, realUniformMatrix4fv, UniformMatrix4fv);
    Hook(__glewUniform1fv, realUniform1fv, Uniform1fv);
    Hook(__glewUniform2fv, realUniform2fv, Uniform2fv);
    Hook(__glewUniform3fv, realUniform3fv, Uniform3fv);
    Hook(__glewUniform4fv, realUniform4fv, Uniform4fv);
    Hook(__glewUniform1i, realUniform1i, Uniform1i);
    Hook(__glewUniform2i, realUniform2i, Uniform2i);
    Hook(__glewUniform3i, realUniform3i, Uniform3i);
    Hook(__glewUniform4i, realUniform4i, Uniform4i);
    Hook(__glewUniform1ui, realUniform1ui, Uniform1ui);
    Hook(__glewUniform2ui, realUniform2ui, Uniform2ui);
    Hook(__glewUniform3ui, realUniform3ui, Uniform3ui);
    Hook(__glewUniform4ui, realUniform4ui, Uniform4ui);
    Hook(__glewUniformMatrix2fv, realUniformMatrix2fv, UniformMatrix2fv);
    Hook(__glewUniformMatrix3fv, realUniformMatrix3fv, UniformMatrix3fv);
    Hook(__glewUniform1iv, realUniform1iv, Uniform1iv);
    Hook(__glewUniform2iv, realUniform2iv, Uniform2iv);
    Hook(__glewUniform3iv, realUniform3iv, Uniform3iv);
    Hook(__glewUniform4iv, realUniform4iv, Uniform4iv);
    Hook(__glewActiveTexture, realActiveTexture, ActiveTexture);
    Hook(__glewGetShaderiv, realGetShaderiv, GetShaderiv);
    Hook(__glewGetShaderInfoLog, realGetShaderInfoLog, GetShaderInfoLog);
    Hook(__glewGetProgramiv, realGetProgramiv, GetProgramiv);
    Hook(__glewGetProgramInfoLog, realGetProgramInfoLog, GetProgramInfoLog);
    Hook(__glewDeleteShader, realDeleteShader, DeleteShader);
    Hook(__glewGetUniformBlockIndex, realGetUniformBlockIndex, GetUniformBlockIndex);
    Hook(__glewUniformBlockBinding, realUniformBlockBinding, UniformBlockBinding);
    Hook(__glewGetProgramResourceIndex, realGetProgramResourceIndex, GetProgramResourceIndex);
    Hook(__glewShaderStorageBlockBinding, realShaderStorageBlockBinding, ShaderStorageBlockBinding);
    Hook(__glewDispatchCompute, realDispatchCompute, DispatchCompute);
    Hook(__glewMemoryBarrier, realMemoryBarrier, MemoryBarrier);
}

} // namespace rec
