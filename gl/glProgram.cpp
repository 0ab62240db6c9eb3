#include "glProgram.h"

#include "glChecks.h"
#include "glContext.h"
#include "glEntryPoints.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif
#include <utility>
#include <vector>

namespace {

// ---- entry points the driver may lack ----

template <typename F>
bool Loaded(F entry) {
    return entry != nullptr;
}

// The loader fills an extension's pointers even for an extension the driver does not list when told to
// try anyway, so the context's list settles it. A core profile takes the OpenGL 2.0 calls, which it
// keeps, whatever it lists.
using glContext::Context;

template <typename F>
bool ArbLoaded(const Context& context, F entry) {
    return entry != nullptr && context.arbShaderObjects;
}

void ReportMissing(const char* operation, const char* entryPoint) {
    fprintf(stderr, "%s ERROR: %s is not available\n", operation, entryPoint);
}

// The status and log queries of ARB_shader_objects take shader and program names alike; the OpenGL 2.0
// query of the object's own kind answers the same, so either one will do.
enum class Kind { Shader, Program };

bool CanQueryStatus(const Context& context, Kind kind) {
    return ArbLoaded(context, glGetObjectParameterivARB) ||
           (kind == Kind::Shader ? Loaded(glGetShaderiv) : Loaded(glGetProgramiv));
}

bool CanFetchLog(const Context& context, Kind kind) {
    return ArbLoaded(context, glGetInfoLogARB) ||
           (kind == Kind::Shader ? Loaded(glGetShaderInfoLog) : Loaded(glGetProgramInfoLog));
}

// Starts from 0 so that a query GL rejects reads as a failure.
bool QueryStatus(const Context& context, GLuint object, GLenum status, Kind kind) {
    GLint result = 0;
    if (ArbLoaded(context, glGetObjectParameterivARB)) {
        glGetObjectParameterivARB(object, status, &result);
    } else if (kind == Kind::Shader) {
        glGetShaderiv(object, status, &result);
    } else {
        glGetProgramiv(object, status, &result);
    }
    return result != 0;
}

// GL cuts a longer log to the capacity, terminator included.
void FetchLog(const Context& context, GLuint object, GLsizei* length, char* log, Kind kind) {
    if (ArbLoaded(context, glGetInfoLogARB)) {
        glGetInfoLogARB(object, kglStatusMessageSize, length, log);
    } else if (kind == Kind::Shader) {
        glGetShaderInfoLog(object, kglStatusMessageSize, length, log);
    } else {
        glGetProgramInfoLog(object, kglStatusMessageSize, length, log);
    }
}

// ---- geometry layouts waiting for the program that links their shader ----

using glContext::GeometryLayout;

// Every geometry shader of EXT_geometry_shader4 emits at most this many vertices here.
constexpr GLint kGeometryVerticesOut = 4;

// A core profile's geometry shaders declare their own layout; the extension's parameters do not exist
// there. Only a context that takes them keeps layouts.
bool GeometryParametersAvailable(const Context& context) {
    return glProgramParameteriEXT != nullptr && context.extGeometryShader4;
}

// Replaces any layout kept for the same name: GL reuses the names of deleted shaders.
void KeepGeometryLayout(Context& context, const GeometryLayout& layout) {
    std::vector<GeometryLayout>& layouts = glContext::GeometryLayouts(context);
    for (GeometryLayout& kept : layouts) {
        if (kept.shader == layout.shader) {
            kept = layout;
            return;
        }
    }
    layouts.push_back(layout);
}

void DropGeometryLayout(Context& context, GLuint shader) {
    if (context.geometryLayouts == nullptr) {
        return;
    }
    std::vector<GeometryLayout>& layouts = *context.geometryLayouts;
    for (size_t i = 0; i < layouts.size(); ++i) {
        if (layouts[i].shader == shader) {
            layouts[i] = layouts.back();
            layouts.pop_back();
            return;
        }
    }
}

const GeometryLayout* FindGeometryLayout(const Context& context, GLuint shader) {
    if (context.geometryLayouts != nullptr) {
        for (const GeometryLayout& layout : *context.geometryLayouts) {
            if (layout.shader == shader) {
                return &layout;
            }
        }
    }
    return nullptr;
}

// The program parameters must be in place before the link reads them.
void SetGeometryParameters(const Context& context, GLuint program, const GLuint* shaders, int count) {
    if (!GeometryParametersAvailable(context)) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (const GeometryLayout* layout = FindGeometryLayout(context, shaders[i])) {
            glProgramParameteriEXT(program, GL_GEOMETRY_INPUT_TYPE_EXT, layout->inputType);
            glProgramParameteriEXT(program, GL_GEOMETRY_OUTPUT_TYPE_EXT, layout->outputType);
            glProgramParameteriEXT(program, GL_GEOMETRY_VERTICES_OUT_EXT, kGeometryVerticesOut);
            return;
        }
    }
}

// ---- shaders ----

// GL takes a source's length as a signed 32-bit count, so a text this long or longer can't be compiled
// whole.
constexpr size_t kLongestSource = INT32_MAX;

// The first entry point a compile needs that the driver lacks, or null.
const char* MissingForCompile(const Context& context) {
    return glEntryPoints::FirstMissing({{Loaded(glCreateShader), "glCreateShader"},
                                        {Loaded(glShaderSource), "glShaderSource"},
                                        {Loaded(glCompileShader), "glCompileShader"},
                                        {CanQueryStatus(context, Kind::Shader), "glGetObjectParameterivARB"},
                                        {CanFetchLog(context, Kind::Shader), "glGetInfoLogARB"}});
}

// Deletes the shader `shader` holds, if any, and forgets its layout.
void DeleteShader(Context& context, CglShader& shader) {
    if (shader.id == 0) {
        return;
    }
    DropGeometryLayout(context, shader.id);
    if (ArbLoaded(context, glDeleteObjectARB)) {
        glDeleteObjectARB(shader.id);
    } else if (Loaded(glDeleteShader)) {
        glDeleteShader(shader.id);
    } else {
        ReportMissing("CglShader::Destroy", "glDeleteObjectARB");
    }
    shader.id = 0;
    shader.context = nullptr;
}

// `length` counts the bytes of `source` before its first zero.
bool Compile(Context& context, CglShader& shader, const char* source, GLint length, GLenum type,
             GLint inputType, GLint outputType, const char* operation) {
    DeleteShader(context, shader);
    if (const char* missing = MissingForCompile(context)) {
        ReportMissing(operation, missing);
        return false;
    }

    shader.id = glCreateShader(type);
    shader.context = context.id;
    glShaderSource(shader.id, 1, &source, &length);
    glCompileShader(shader.id);
    bool compiled = QueryStatus(context, shader.id, GL_OBJECT_COMPILE_STATUS_ARB, Kind::Shader);

    if (!compiled) {
        FetchLog(context, shader.id, &shader.logLength, shader.statusMessage, Kind::Shader);
        fprintf(stderr, "%s \n", shader.statusMessage);
        return false;
    }
    switch (type) {
    case GL_FRAGMENT_SHADER:
        snprintf(shader.statusMessage, sizeof shader.statusMessage, "Fragment shader loaded successfully");
        break;
    case GL_VERTEX_SHADER:
        snprintf(shader.statusMessage, sizeof shader.statusMessage, "Vertex shader loaded successfully");
        break;
    case GL_GEOMETRY_SHADER_EXT:
        if (GeometryParametersAvailable(context)) {
            KeepGeometryLayout(context, GeometryLayout{shader.id, inputType, outputType});
        }
        snprintf(shader.statusMessage, sizeof shader.statusMessage, "Geometry shader loaded successfully");
        break;
    default:
        break;
    }
    return true;
}

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

// `path` opened for reading in binary mode when it is a regular file; null otherwise. Anything else is
// refused before it is read: a directory opens for reading and some file systems then report an absurd
// length for it, and opening a FIFO waits for a writer that may never come.
FILE* OpenRegularFile(const char* path) {
#if defined(_WIN32)
    struct stat info;
    if (stat(path, &info) != 0 || !S_ISREG(info.st_mode)) {
        return nullptr;
    }
    return fopen(path, "rb");
#else
    // Without O_NONBLOCK the open itself would wait on a FIFO; on a regular file the flag changes nothing.
    int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat info;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(descriptor);
        return nullptr;
    }
    FILE* file = fdopen(descriptor, "rb");
    if (file == nullptr) {
        close(descriptor);
    }
    return file;
#endif
}

// The whole file, zero-terminated after its last byte; null when it can't be read whole.
std::unique_ptr<char[]> ReadWhole(FILE* file) {
    if (fseek(file, 0, SEEK_END) != 0) {
        return nullptr;
    }
    long length = ftell(file);
    // Refused here, a text too long to compile whole costs no allocation.
    if (length < 0 || static_cast<size_t>(length) >= kLongestSource) {
        return nullptr;
    }
    if (fseek(file, 0, SEEK_SET) != 0) {
        return nullptr;
    }
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[length + 1]);
    if (!buffer) {
        return nullptr;
    }
    if (fread(buffer.get(), 1, length, file) != static_cast<size_t>(length)) {
        return nullptr;
    }
    buffer[length] = '\0';
    return buffer;
}

// ---- programs ----

// Deletes the program `program` holds, if any.
void DeleteProgram(const Context& context, CglProgram& program) {
    if (program.id == 0) {
        return;
    }
    if (Loaded(glDeleteProgram)) {
        glDeleteProgram(program.id);
    } else if (ArbLoaded(context, glDeleteObjectARB)) {
        glDeleteObjectARB(program.id);
    } else {
        ReportMissing("CglProgram::Destroy", "glDeleteProgram");
    }
    program.id = 0;
    program.context = nullptr;
}

const char* MissingForLink(const Context& context, bool arbCreate) {
    bool canCreate = Loaded(glCreateProgram) || (arbCreate && ArbLoaded(context, glCreateProgramObjectARB));
    return glEntryPoints::FirstMissing(
        {{canCreate, arbCreate ? "glCreateProgramObjectARB" : "glCreateProgram"},
         {Loaded(glAttachShader), "glAttachShader"},
         {Loaded(glLinkProgram), "glLinkProgram"},
         {CanQueryStatus(context, Kind::Program), "glGetObjectParameterivARB"},
         {CanFetchLog(context, Kind::Program), "glGetInfoLogARB"}});
}

// Attaches `shaders` in the order given.
bool LinkShaders(CglProgram& program, const GLuint* shaders, int count, bool arbCreate) {
    glChecks::Scope scope("CglProgram::Link");
    const Context& context = glContext::Current();
    if (!glChecks::OnOwnContext("CglProgram::Link", program.context, context.id)) {
        return false;
    }
    DeleteProgram(context, program);
    if (const char* missing = MissingForLink(context, arbCreate)) {
        ReportMissing("CglProgram::Link", missing);
        return false;
    }

    if (arbCreate && ArbLoaded(context, glCreateProgramObjectARB)) {
        program.id = glCreateProgramObjectARB();
    } else {
        program.id = glCreateProgram();
    }
    program.context = context.id;
    for (int i = 0; i < count; ++i) {
        glAttachShader(program.id, shaders[i]);
    }
    SetGeometryParameters(context, program.id, shaders, count);
    glLinkProgram(program.id);

    bool linked = QueryStatus(context, program.id, GL_OBJECT_LINK_STATUS_ARB, Kind::Program);
    if (linked) {
        snprintf(program.statusMessage, sizeof program.statusMessage, "GLSL program created successfully");
    } else {
        FetchLog(context, program.id, &program.logLength, program.statusMessage, Kind::Program);
    }
    return linked;
}

// True when `operation` can look a uniform up and make its `uniformCall`; prints the first missing.
template <typename F>
bool CanSetUniform(const char* operation, F uniformCall, const char* uniformName) {
    if (!Loaded(glGetUniformLocation)) {
        ReportMissing(operation, "glGetUniformLocation");
        return false;
    }
    if (!Loaded(uniformCall)) {
        ReportMissing(operation, uniformName);
        return false;
    }
    return true;
}

void ReportUnknownParameter(const char* name) {
    fprintf(stderr, "Error setting parameter '%s'\n", name);
}

// The location of `name` in `program`; -1 after printing the setters' message. Inline, with the message
// out of line: a setter costs little more than the two GL calls it makes.
inline GLint FindParameter(GLuint program, const char* name) {
    GLint location = glGetUniformLocation(program, name);
    if (location < 0) {
        ReportUnknownParameter(name);
    }
    return location;
}

// The validation mode's checks of an operation on `program` (see glChecks::ValidObject).
bool Valid(const glChecks::Scope& scope, const CglProgram& program, const char* where) {
    return glChecks::ValidObject(scope, where, program.id != 0, program.context,
                                 "the object holds no program: call Link or LoadFromFiles first");
}

// GL's current program, which uniform calls reach; 0 for none.
GLint CurrentProgram() {
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    return current;
}

// The validation mode's checks of a uniform setter, once it is known that they are to be made: those of
// any operation, and the program current.
bool CheckSetter(const glChecks::Scope& scope, const CglProgram& program, const char* where) {
    if (!Valid(scope, program, where)) {
        return false;
    }
    if (program.id != 0) {
        GLint current = CurrentProgram();
        if (current != static_cast<GLint>(program.id)) {
            glChecks::Report(where,
                             "program %u is not current, program %d is, and the value goes to the current "
                             "one: call Bind first",
                             program.id, current);
        }
    }
    return true;
}

inline bool ValidSetter(const glChecks::Scope& scope, const CglProgram& program, const char* where) {
    return !scope.Checking() || CheckSetter(scope, program, where);
}

// The common path of the one-value setters: entry points, lookup, then `uniformCall(location, values...)`.
template <typename F, typename... Values>
void SetUniformUnchecked(const CglProgram& program, const char* operation, F uniformCall,
                         const char* uniformName, const char* name, Values... values) {
    if (!glChecks::Given(name, operation, "name") || !CanSetUniform(operation, uniformCall, uniformName)) {
        return;
    }
    GLint location = FindParameter(program.id, name);
    if (location >= 0) {
        uniformCall(location, values...);
    }
}

// The path above inside the validation mode's bracket. Out of line, so that the usual path keeps the
// frame it had before validation existed.
template <typename F, typename... Values>
[[gnu::noinline, gnu::cold]] void SetUniformValidating(const CglProgram& program, const char* operation,
                                                       F uniformCall, const char* uniformName,
                                                       const char* name, Values... values) {
    glChecks::Scope scope(operation);
    if (ValidSetter(scope, program, operation)) {
        SetUniformUnchecked(program, operation, uniformCall, uniformName, name, values...);
    }
}

// The setters are the calls a frame makes most: while validation is off they take the path above alone.
template <typename F, typename... Values>
void SetUniform(const CglProgram& program, const char* operation, F uniformCall, const char* uniformName,
                const char* name, Values... values) {
    if (glChecks::Validating()) {
        SetUniformValidating(program, operation, uniformCall, uniformName, name, values...);
    } else {
        SetUniformUnchecked(program, operation, uniformCall, uniformName, name, values...);
    }
}

// The array setters of one value type, for element sizes 1 to 4, with their names.
template <typename F>
struct ArrayCalls {
    F calls[4];
    const char* names[4];
};

// The name is looked up first: an unknown name reports only itself, whatever the element size.
template <typename T, typename F>
void SetArray(const CglProgram& program, const char* operation, const char* name, const T* values,
              int elementSize, int count, const ArrayCalls<F>& array) {
    glChecks::Scope scope(operation);
    if (!glChecks::Given(name, operation, "name") || !glChecks::Given(values, operation, "values")) {
        return;
    }
    if (!Loaded(glGetUniformLocation)) {
        ReportMissing(operation, "glGetUniformLocation");
        return;
    }
    if (!ValidSetter(scope, program, operation)) {
        return;
    }
    GLint location = FindParameter(program.id, name);
    if (location < 0) {
        return;
    }
    if (elementSize < 1 || elementSize > 4) {
        fprintf(stderr, "Invalid elementSize value '%d'\n", elementSize);
        return;
    }
    F call = array.calls[elementSize - 1];
    if (CanSetUniform(operation, call, array.names[elementSize - 1])) {
        call(location, count, values);
    }
}

// Hands a shader or program, its context and its status over to `to`, which holds none; `from` is left
// holding none.
template <typename Object>
void TakeOver(Object& to, Object& from) {
    to.id = from.id;
    to.logLength = from.logLength;
    memcpy(to.statusMessage, from.statusMessage, sizeof to.statusMessage);
    to.context = from.context;
    from.id = 0;
    from.context = nullptr;
}

// SetUniformBlockBinding's work. A block is bound once per program and set-up, but programs serving
// many shaders set it often enough that it takes the setters' lean path.
void BindUniformBlock(const CglProgram& program, const char* block, GLuint binding) {
    const char* operation = "CglProgram::SetUniformBlockBinding";
    if (!glChecks::Given(block, operation, "block")) {
        return;
    }
    if (!Loaded(glGetUniformBlockIndex) || !Loaded(glUniformBlockBinding)) {
        ReportMissing(operation,
                      Loaded(glGetUniformBlockIndex) ? "glUniformBlockBinding" : "glGetUniformBlockIndex");
        return;
    }
    GLuint index = glGetUniformBlockIndex(program.id, block);
    if (index == GL_INVALID_INDEX) {
        fprintf(stderr, "Error setting uniform block '%s'\n", block);
        return;
    }
    glUniformBlockBinding(program.id, index, binding);
}

// The same inside the validation mode's bracket, out of line as the setters' is.
[[gnu::noinline, gnu::cold]] void BindUniformBlockValidating(const CglProgram& program, const char* block,
                                                             GLuint binding) {
    glChecks::Scope scope("CglProgram::SetUniformBlockBinding");
    if (Valid(scope, program, "CglProgram::SetUniformBlockBinding")) {
        BindUniformBlock(program, block, binding);
    }
}

} // namespace

// ---- CglShader ----

CglShader::~CglShader() {
    Destroy();
}

CglShader::CglShader(CglShader&& other) noexcept {
    TakeOver(*this, other);
}

CglShader& CglShader::operator=(CglShader&& other) noexcept {
    if (this != &other) {
        Destroy();
        TakeOver(*this, other);
    }
    return *this;
}

void CglShader::Destroy() {
    glChecks::Scope scope("CglShader::Destroy");
    // Holding nothing, it has no context to ask about.
    if (id == 0) {
        return;
    }
    Context& current = glContext::Current();
    if (glChecks::OnOwnContext("CglShader::Destroy", context, current.id)) {
        DeleteShader(current, *this);
    }
}

bool CglShader::CompileFromSource(const char* source, GLenum type, GLint inputType, GLint outputType) {
    glChecks::Scope scope("CglShader::CompileFromSource");
    if (source == nullptr) {
        glChecks::ReportNull("CglShader::CompileFromSource", "source");
        return false;
    }
    Context& current = glContext::Current();
    if (!glChecks::OnOwnContext("CglShader::CompileFromSource", context, current.id)) {
        return false;
    }
    // GL takes the length as a signed 32-bit count: a longer text would compile cut short.
    size_t length = strnlen(source, kLongestSource);
    if (length == kLongestSource) {
        DeleteShader(current, *this);
        fprintf(stderr, "CglShader::CompileFromSource ERROR: source is 2^31 - 1 bytes or longer\n");
        return false;
    }
    return Compile(current, *this, source, static_cast<GLint>(length), type, inputType, outputType,
                   "CglShader::CompileFromSource");
}

bool CglShader::LoadFromFile(const char* path, GLenum type, GLint inputType, GLint outputType) {
    glChecks::Scope scope("CglShader::LoadFromFile");
    if (path == nullptr) {
        glChecks::ReportNull("CglShader::LoadFromFile", "path");
        return false;
    }
    std::unique_ptr<FILE, FileCloser> file(OpenRegularFile(path));
    Context& current = glContext::Current();
    // A shader held on another context stays; its name here may be another shader.
    if (id != 0 && !glChecks::OnOwnContext("CglShader::LoadFromFile", context, current.id)) {
        return false;
    }
    DeleteShader(current, *this);
    if (!file) {
        return false;
    }
    std::unique_ptr<char[]> source = ReadWhole(file.get());
    file.reset();
    // A file that can't be read fails silently, context or not; only a compile needs one.
    if (!source || !glChecks::OnOwnContext("CglShader::LoadFromFile", nullptr, current.id)) {
        return false;
    }

    // Compiled up to the first zero byte, which the read text may hold before its end.
    GLint length = static_cast<GLint>(strlen(source.get()));
    if (!Compile(current, *this, source.get(), length, type, inputType, outputType,
                 "CglShader::LoadFromFile")) {
        return false;
    }
    if (type == GL_FRAGMENT_SHADER) {
        snprintf(statusMessage, sizeof statusMessage, "Fragment shader %s loaded successfully", path);
    } else if (type == GL_VERTEX_SHADER) {
        snprintf(statusMessage, sizeof statusMessage, "Vertex shader %s loaded successfully", path);
    }
    return true;
}

// ---- CglProgram ----

CglProgram::~CglProgram() {
    Destroy();
}

CglProgram::CglProgram(CglProgram&& other) noexcept {
    TakeOver(*this, other);
}

CglProgram& CglProgram::operator=(CglProgram&& other) noexcept {
    if (this != &other) {
        Destroy();
        TakeOver(*this, other);
    }
    return *this;
}

void CglProgram::Destroy() {
    glChecks::Scope scope("CglProgram::Destroy");
    if (id == 0) {
        return;
    }
    const Context& current = glContext::Current();
    if (glChecks::OnOwnContext("CglProgram::Destroy", context, current.id)) {
        DeleteProgram(current, *this);
    }
}

bool CglProgram::Link(GLuint shader1, GLuint shader2) {
    const GLuint shaders[] = {shader1, shader2};
    return LinkShaders(*this, shaders, 2, true);
}

bool CglProgram::Link(GLuint shader1, GLuint shader2, GLuint shader3) {
    const GLuint shaders[] = {shader1, shader3, shader2};
    return LinkShaders(*this, shaders, 3, false);
}

bool CglProgram::Link(GLuint shader) {
    return LinkShaders(*this, &shader, 1, false);
}

bool CglProgram::Link(const GLuint* shaders, int count) {
    if (count < 1 || !glChecks::Given(shaders, "CglProgram::Link", "shaders")) {
        return false;
    }
    return LinkShaders(*this, shaders, count, false);
}

bool CglProgram::LoadFromFiles(const char* vertexPath, const char* fragmentPath, const char* geometryPath,
                               GLint geometryInput, GLint geometryOutput) {
    const char* operation = "CglProgram::LoadFromFiles";
    glChecks::Scope scope(operation);
    Context& current = glContext::Current();
    if (!glChecks::OnOwnContext(operation, context, current.id)) {
        return false;
    }
    // Known before any file is read, so that a shader left without a name means a file that can't be.
    const char* missing = MissingForCompile(current);
    if (missing == nullptr) {
        missing = MissingForLink(current, false);
    }
    if (missing != nullptr) {
        ReportMissing(operation, missing);
        return false;
    }
    DeleteProgram(current, *this);

    const struct {
        const char* path;
        GLenum type;
    } stages[] = {{vertexPath, GL_VERTEX_SHADER},
                  {fragmentPath, GL_FRAGMENT_SHADER},
                  {geometryPath, GL_GEOMETRY_SHADER_EXT}};
    // Deleted on return; GL keeps those the program links until the program goes.
    CglShader shaders[3];
    GLuint names[3] = {};
    int count = 0;
    for (const auto& stage : stages) {
        if (stage.path == nullptr) {
            continue;
        }
        CglShader& shader = shaders[count];
        if (!shader.LoadFromFile(stage.path, stage.type, geometryInput, geometryOutput)) {
            if (shader.id == 0) {
                fprintf(stderr, "%s ERROR: cannot read '%s'\n", operation, stage.path);
            } else {
                memcpy(statusMessage, shader.statusMessage, sizeof statusMessage);
                logLength = shader.logLength;
                fprintf(stderr, "%s ERROR: '%s' does not compile\n", operation, stage.path);
            }
            return false;
        }
        names[count++] = shader.id;
    }
    if (!LinkShaders(*this, names, count, false)) {
        fprintf(stderr, "%s ERROR: the shaders do not link\n", operation);
        return false;
    }
    return true;
}

void CglProgram::Bind() const {
    glChecks::Scope scope("CglProgram::Bind");
    if (!Valid(scope, *this, "CglProgram::Bind")) {
        return;
    }
    if (!Loaded(glUseProgram)) {
        ReportMissing("CglProgram::Bind", "glUseProgram");
        return;
    }
    glUseProgram(id);
}

void CglProgram::Unbind() const {
    glChecks::Scope scope("CglProgram::Unbind");
    if (!Loaded(glUseProgram)) {
        ReportMissing("CglProgram::Unbind", "glUseProgram");
        return;
    }
    glUseProgram(0);
}

bool CglProgram::HasParameter(const char* name) const {
    glChecks::Scope scope("CglProgram::HasParameter");
    if (!glChecks::Given(name, "CglProgram::HasParameter", "name") || id == 0 ||
        !Valid(scope, *this, "CglProgram::HasParameter")) {
        return false;
    }
    if (!Loaded(glGetUniformLocation)) {
        ReportMissing("CglProgram::HasParameter", "glGetUniformLocation");
        return false;
    }
    return glGetUniformLocation(id, name) >= 0;
}

void CglProgram::SetUniformBlockBinding(const char* block, GLuint binding) const {
    if (glChecks::Validating()) {
        BindUniformBlockValidating(*this, block, binding);
    } else {
        BindUniformBlock(*this, block, binding);
    }
}

void CglProgram::SetStorageBlockBinding(const char* block, GLuint binding) const {
    glChecks::Scope scope("CglProgram::SetStorageBlockBinding");
    if (!glChecks::Given(block, "CglProgram::SetStorageBlockBinding", "block") ||
        !Valid(scope, *this, "CglProgram::SetStorageBlockBinding")) {
        return;
    }
    const char* missing =
        glEntryPoints::FirstMissing({{Loaded(glGetProgramResourceIndex), "glGetProgramResourceIndex"},
                                     {Loaded(glShaderStorageBlockBinding), "glShaderStorageBlockBinding"}});
    if (missing != nullptr) {
        ReportMissing("CglProgram::SetStorageBlockBinding", missing);
        return;
    }
    GLuint index = glGetProgramResourceIndex(id, GL_SHADER_STORAGE_BLOCK, block);
    if (index == GL_INVALID_INDEX) {
        fprintf(stderr, "Error setting storage block '%s'\n", block);
        return;
    }
    glShaderStorageBlockBinding(id, index, binding);
}

void CglProgram::Dispatch(GLuint x, GLuint y, GLuint z, GLbitfield barriers) const {
    glChecks::Scope scope("CglProgram::Dispatch");
    if (!Valid(scope, *this, "CglProgram::Dispatch")) {
        return;
    }
    // The barrier is checked with the rest, so that a missing one leaves no dispatch unfenced.
    const char* missing =
        glEntryPoints::FirstMissing({{Loaded(glUseProgram), "glUseProgram"},
                                     {Loaded(glDispatchCompute), "glDispatchCompute"},
                                     {barriers == 0 || Loaded(glMemoryBarrier), "glMemoryBarrier"}});
    if (missing != nullptr) {
        ReportMissing("CglProgram::Dispatch", missing);
        return;
    }
    glUseProgram(id);
    glDispatchCompute(x, y, z);
    if (barriers != 0) {
        glMemoryBarrier(barriers);
    }
}

void CglProgram::SetParameter1f(const char* name, float x) const {
    SetUniform(*this, "CglProgram::SetParameter1f", glUniform1f, "glUniform1f", name, x);
}

void CglProgram::SetParameter2f(const char* name, float x, float y) const {
    SetUniform(*this, "CglProgram::SetParameter2f", glUniform2f, "glUniform2f", name, x, y);
}

void CglProgram::SetParameter3f(const char* name, float x, float y, float z) const {
    SetUniform(*this, "CglProgram::SetParameter3f", glUniform3f, "glUniform3f", name, x, y, z);
}

void CglProgram::SetParameter4f(const char* name, float x, float y, float z, float w) const {
    SetUniform(*this, "CglProgram::SetParameter4f", glUniform4f, "glUniform4f", name, x, y, z, w);
}

void CglProgram::SetParameterMatrix4(const char* name, const float* matrix, bool transpose) const {
    if (!glChecks::Given(matrix, "CglProgram::SetParameterMatrix4", "matrix")) {
        return;
    }
    SetUniform(*this, "CglProgram::SetParameterMatrix4", glUniformMatrix4fv, "glUniformMatrix4fv", name, 1,
               static_cast<GLboolean>(transpose ? GL_TRUE : GL_FALSE), matrix);
}

void CglProgram::SetParameterArray(const char* name, const float* values, int elementSize, int count) const {
    SetArray(
        *this, "CglProgram::SetParameterArray", name, values, elementSize, count,
        ArrayCalls<PFNGLUNIFORM1FVPROC>{{glUniform1fv, glUniform2fv, glUniform3fv, glUniform4fv},
                                        {"glUniform1fv", "glUniform2fv", "glUniform3fv", "glUniform4fv"}});
}

void CglProgram::BindTexture(const char* name, GLuint texture, GLenum target, int unit) const {
    const char* operation = "CglProgram::BindTexture";
    glChecks::Scope scope(operation);
    if (!glChecks::Given(name, operation, "name") || !Valid(scope, *this, operation)) {
        return;
    }
    // Checked together so that a missing one leaves no half-made change behind.
    const char* missing = glEntryPoints::FirstMissing({{Loaded(glGetUniformLocation), "glGetUniformLocation"},
                                                       {Loaded(glUseProgram), "glUseProgram"},
                                                       {Loaded(glActiveTexture), "glActiveTexture"},
                                                       {Loaded(glUniform1i), "glUniform1i"}});
    if (missing != nullptr) {
        ReportMissing(operation, missing);
        return;
    }

    GLint location = glGetUniformLocation(id, name);
    if (location < 0) {
        fprintf(stderr, "Error binding texture '%s'\n", name);
        return;
    }
    if (scope.Checking()) {
        GLint current = CurrentProgram();
        if (current != 0 && current != static_cast<GLint>(id)) {
            glChecks::Report(operation,
                             "made program %u current in place of program %d, which later uniform calls and "
                             "draws no longer reach: bind the program you draw with again",
                             id, current);
        }
    }
    glUseProgram(id);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glBindTexture(target, texture);
    glUniform1i(location, unit);
    glActiveTexture(GL_TEXTURE0);
}

void CglProgram::SetParameter1i(const char* name, GLint x) const {
    SetUniform(*this, "CglProgram::SetParameter1i", glUniform1i, "glUniform1i", name, x);
}

void CglProgram::SetParameter2i(const char* name, GLint x, GLint y) const {
    SetUniform(*this, "CglProgram::SetParameter2i", glUniform2i, "glUniform2i", name, x, y);
}

void CglProgram::SetParameter3i(const char* name, GLint x, GLint y, GLint z) const {
    SetUniform(*this, "CglProgram::SetParameter3i", glUniform3i, "glUniform3i", name, x, y, z);
}

void CglProgram::SetParameter4i(const char* name, GLint x, GLint y, GLint z, GLint w) const {
    SetUniform(*this, "CglProgram::SetParameter4i", glUniform4i, "glUniform4i", name, x, y, z, w);
}

void CglProgram::SetParameter1ui(const char* name, GLuint x) const {
    SetUniform(*this, "CglProgram::SetParameter1ui", glUniform1ui, "glUniform1ui", name, x);
}

void CglProgram::SetParameter2ui(const char* name, GLuint x, GLuint y) const {
    SetUniform(*this, "CglProgram::SetParameter2ui", glUniform2ui, "glUniform2ui", name, x, y);
}

void CglProgram::SetParameter3ui(const char* name, GLuint x, GLuint y, GLuint z) const {
    SetUniform(*this, "CglProgram::SetParameter3ui", glUniform3ui, "glUniform3ui", name, x, y, z);
}

void CglProgram::SetParameter4ui(const char* name, GLuint x, GLuint y, GLuint z, GLuint w) const {
    SetUniform(*this, "CglProgram::SetParameter4ui", glUniform4ui, "glUniform4ui", name, x, y, z, w);
}

void CglProgram::SetParameterMatrix2(const char* name, const float* matrix, bool transpose) const {
    if (!glChecks::Given(matrix, "CglProgram::SetParameterMatrix2", "matrix")) {
        return;
    }
    SetUniform(*this, "CglProgram::SetParameterMatrix2", glUniformMatrix2fv, "glUniformMatrix2fv", name, 1,
               static_cast<GLboolean>(transpose ? GL_TRUE : GL_FALSE), matrix);
}

void CglProgram::SetParameterMatrix3(const char* name, const float* matrix, bool transpose) const {
    if (!glChecks::Given(matrix, "CglProgram::SetParameterMatrix3", "matrix")) {
        return;
    }
    SetUniform(*this, "CglProgram::SetParameterMatrix3", glUniformMatrix3fv, "glUniformMatrix3fv", name, 1,
               static_cast<GLboolean>(transpose ? GL_TRUE : GL_FALSE), matrix);
}

void CglProgram::SetParameterArrayi(const char* name, const GLint* values, int elementSize, int count) const {
    SetArray(
        *this, "CglProgram::SetParameterArrayi", name, values, elementSize, count,
        ArrayCalls<PFNGLUNIFORM1IVPROC>{{glUniform1iv, glUniform2iv, glUniform3iv, glUniform4iv},
                                        {"glUniform1iv", "glUniform2iv", "glUniform3iv", "glUniform4iv"}});
}
