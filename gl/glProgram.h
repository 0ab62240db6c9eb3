/// @file
/// GLSL shader and program objects: shaders compiled from text or files, programs linked from any number of
/// them or loaded from files in one call, uniforms and uniform and storage blocks set by name, textures bound
/// to samplers and compute programs dispatched.
///
/// Every operation runs on the thread that owns the GL context, with the extension loader initialised. Where
/// an entry point beyond OpenGL 1.1 is missing, the operation makes no call through it: it prints
/// "<Class>::<Operation> ERROR: <entry point> is not available\n" and fails (false, or nothing done). The
/// ARB_shader_objects queries (compile and link status, info log, shader deletion, the two-shader program
/// creation) fall back to their OpenGL 2.0 equivalents when the context does not list that extension, and on
/// a core profile, since both take the same names and answer the same way.
///
/// Neither class checks GL errors: whatever GL reports stays queued for the caller's own check.
///
/// Null arguments. A null `source`, `path`, `name`, `block`, `matrix`, `values` or `shaders` makes no GL call
/// and prints "<Class>::<Operation> ERROR: <argument> is null\n" (the operation then fails: false, or nothing
/// done); LoadFromFiles alone gives a null path a meaning, a stage left out.
///
/// Contexts. An object belongs to the context current when it made its shader or program (`context`).
/// Destroying it, or compiling, loading or linking into it again, on another context (on this thread or
/// another) makes no GL call and prints "<Class>::<Operation> ERROR: belongs to another context\n": its
/// object leaks rather than another context's of the same name being deleted. With no context current, these
/// print "<Class>::<Operation> ERROR: no GL context is current\n" and make no GL call. The operations in
/// between (setters, binds, dispatches) ask the window system nothing, so they are checked so only in the
/// validation mode (glValidation.h).
///
/// Geometry shaders. A geometry shader's input primitive, output primitive and output vertex count are
/// parameters of the program that links it, so CglShader cannot set them itself: a successful geometry
/// compile remembers the two types under the shader's GL name (the count is always 4), and CglProgram::Link
/// hands them to its new program with glProgramParameteriEXT before linking it, when a compatibility context
/// lists EXT_geometry_shader4. Elsewhere, core profiles included, nothing is set: a geometry shader of GLSL
/// 1.50 or later declares its layout in its own source, which is how it links there.
#pragma once

#include "glExport.h"
#include <GL/glew.h>

/// Capacity of a status message, terminator included.
constexpr GLsizei kglStatusMessageSize = 1024;

/// One GLSL shader object. Owns the shader named by `id`; not copyable, movable.
class VISTREL_API CglShader {
  public:
    /// The shader object owned; 0 when none.
    GLuint id = 0;
    /// The last success text or compile log, zero-terminated; empty until an operation writes it.
    char statusMessage[kglStatusMessageSize] = {};
    /// Set by GL to the length of the compile log fetched into `statusMessage`; never read here.
    GLsizei logLength = 0;

    /// Holds no shader and makes no GL call.
    CglShader() = default;
    /// Deletes the shader it holds.
    ~CglShader();
    /// Not copyable: two objects owning one shader would delete it twice.
    CglShader(const CglShader&) = delete;
    /// Not copyable: two objects owning one shader would delete it twice.
    CglShader& operator=(const CglShader&) = delete;
    /// Takes over `other`'s shader and status message; `other` is left holding none.
    CglShader(CglShader&& other) noexcept;
    /// Deletes the shader held, then takes over `other`'s as the move constructor does.
    CglShader& operator=(CglShader&& other) noexcept;

    /// Deletes the shader held (no GL call when none) and leaves `id` 0.
    void Destroy();

    /// Compiles a shader from source text.
    ///
    /// Deletes the shader held, then creates a shader of `type` (GL_VERTEX_SHADER, GL_FRAGMENT_SHADER,
    /// GL_GEOMETRY_SHADER_EXT; other types pass to GL unchanged) and compiles `source` up to its first zero.
    /// `inputType` and `outputType` are the primitive types of a geometry shader (see the file's
    /// description); other types ignore them. Returns true when GL reports the compile successful. On success
    /// the status message becomes "Vertex shader loaded successfully", "Fragment shader loaded successfully"
    /// or "Geometry shader loaded successfully" (other types leave it unchanged). On failure `id` keeps the
    /// failed shader, the status message holds GL's compile log and the message is printed as "%s \n"; a type
    /// GL rejects leaves `id` 0 and prints the unchanged message. A source of 2^31 - 1 bytes or more, too
    /// long for GL to take whole, deletes the shader held, prints "CglShader::CompileFromSource ERROR: source
    /// is 2^31 - 1 bytes or longer\n" and returns false without compiling; a null one prints "... ERROR:
    /// source is null\n" and makes no GL call.
    bool CompileFromSource(const char* source, GLenum type, GLint inputType, GLint outputType);

    /// Compiles a shader from a file read whole.
    ///
    /// Deletes the shader held, reads the file at `path` whole in binary mode and compiles it as
    /// CompileFromSource does. On success a vertex or fragment shader's status message names the path:
    /// "Vertex shader %s loaded successfully", "Fragment shader %s loaded successfully", cut to the message's
    /// capacity. A file that can't be opened, is a directory, has no known length, is too long for one
    /// compile (2^31 - 1 bytes or more) or can't be read whole returns false with `id` 0, the status message
    /// unchanged and nothing printed; the file is closed on every path. Anything but a regular file (a FIFO,
    /// a socket, a device) is refused as a directory is, before it is opened for reading, so that it is never
    /// waited on. A null `path` prints "CglShader::LoadFromFile ERROR: path is null\n" and makes no GL call.
    bool LoadFromFile(const char* path, GLenum type, GLint inputType, GLint outputType);

    /// The context that made `id`, as its window system names it (its GLX or EGL context handle); null
    /// while the object holds none. Set by the library: destroying or replacing the object on another
    /// context is refused, since there the same name may be another object.
    const void* context = nullptr;
};

/// One GLSL program object.
///
/// Owns the program named by `id`, not the shaders linked into it; not copyable, movable. Uniform setters act
/// on the current program: call Bind first.
///
/// Each setter looks `name` up in this program and sets that uniform of the current program; a name that is
/// not an active uniform prints "Error setting parameter '%s'\n" and sets nothing. A value of the wrong kind
/// for the uniform (an int for a float, say) leaves GL_INVALID_OPERATION queued. A null `name`, `matrix` or
/// `values` prints "CglProgram::<Operation> ERROR: <argument> is null\n" and sets nothing.
class VISTREL_API CglProgram {
  public:
    /// The program object owned; 0 when none.
    GLuint id = 0;
    /// "GLSL program created successfully" or the last link log, zero-terminated; empty until a link.
    char statusMessage[kglStatusMessageSize] = {};
    /// Set by GL to the length of the link log fetched into `statusMessage`; never read here.
    GLsizei logLength = 0;

    /// Holds no program and makes no GL call.
    CglProgram() = default;
    /// Deletes the program it holds.
    ~CglProgram();
    /// Not copyable: two objects owning one program would delete it twice.
    CglProgram(const CglProgram&) = delete;
    /// Not copyable: two objects owning one program would delete it twice.
    CglProgram& operator=(const CglProgram&) = delete;
    /// Takes over `other`'s program and status message; `other` is left holding none.
    CglProgram(CglProgram&& other) noexcept;
    /// Deletes the program held, then takes over `other`'s as the move constructor does.
    CglProgram& operator=(CglProgram&& other) noexcept;

    /// Deletes the program held (no GL call when none) and leaves `id` 0.
    ///
    /// A program still current is deleted by GL once it stops being current.
    void Destroy();

    /// Links a program of two shaders.
    ///
    /// Deletes the program held, creates one with glCreateProgramObjectARB, attaches the two shaders in the
    /// order given and links. Returns true when GL reports the link successful; the status message is then
    /// "GLSL program created successfully", otherwise the link log. Prints nothing; a failed link keeps its
    /// program in `id`.
    bool Link(GLuint shader1, GLuint shader2);
    /// Links a program of three shaders.
    ///
    /// As the two-shader Link, but the program comes from glCreateProgram and the shaders are attached in the
    /// order shader1, shader3, shader2.
    bool Link(GLuint shader1, GLuint shader2, GLuint shader3);
    /// Links a program of one shader: a compute shader.
    ///
    /// As the three-shader Link, with the one shader attached.
    bool Link(GLuint shader);
    /// Links a program of `count` shaders, attached in the order given: tessellation stages, say.
    ///
    /// As the three-shader Link. A `count` below 1 returns false without a GL call, leaving the program
    /// held; so does a null `shaders`, which prints "CglProgram::Link ERROR: shaders is null\n".
    bool Link(const GLuint* shaders, int count);
    /// Compiles a program's shaders from files and links them: the whole of a program in one call.
    ///
    /// Compiles each file with CglShader::LoadFromFile (vertex, fragment, then geometry), links them as the
    /// three-shader Link does and deletes the shader objects, which the program keeps while it needs them.
    /// A null path leaves its stage out: `geometryPath` is null for a program without a geometry shader.
    /// `geometryInput` and `geometryOutput` are the geometry shader's primitive types where the context takes
    /// them as program parameters (see the file's description). Deletes the program held first. Returns true
    /// when the program links. On failure prints one line and returns false:
    /// - "CglProgram::LoadFromFiles ERROR: cannot read '<path>'\n" for a file that can't be read whole (`id`
    ///   0, the status message unchanged);
    /// - "CglProgram::LoadFromFiles ERROR: '<path>' does not compile\n", after the compile log the shader
    ///   prints itself; the status message holds that log and `id` is 0;
    /// - "CglProgram::LoadFromFiles ERROR: the shaders do not link\n"; the status message holds the link
    ///   log and `id` the failed program, as after Link.
    bool LoadFromFiles(const char* vertexPath, const char* fragmentPath, const char* geometryPath = nullptr,
                       GLint geometryInput = GL_TRIANGLES, GLint geometryOutput = GL_TRIANGLE_STRIP);

    /// Makes this program current.
    void Bind() const;
    /// Makes no program current, whichever one was.
    void Unbind() const;

    /// Whether `name` is an active uniform of this program's default block, which the setters can set.
    ///
    /// For code that serves several programs and sets a uniform only where it is declared. One lookup, no
    /// binding change, no message about the name; false without a GL call while it holds no program, and
    /// for a null `name`, which prints "CglProgram::HasParameter ERROR: name is null\n".
    bool HasParameter(const char* name) const;
    /// Makes the uniform block `block` of this program read from binding point `binding`.
    ///
    /// The buffer bound there with glBindBufferToIndex(GL_UNIFORM_BUFFER, ...) feeds the block; programs
    /// that declare the same block and use the same binding share its values. Kept by the program: no
    /// binding changes and no need to Bind first. A block that is not active in the program prints "Error
    /// setting uniform block '%s'\n" and sets nothing.
    void SetUniformBlockBinding(const char* block, GLuint binding) const;
    /// Makes the shader storage block `block` of this program use binding point `binding`.
    ///
    /// As SetUniformBlockBinding, for GL_SHADER_STORAGE_BUFFER (OpenGL 4.3). A block that is not active in
    /// the program prints "Error setting storage block '%s'\n" and sets nothing.
    void SetStorageBlockBinding(const char* block, GLuint binding) const;
    /// Runs this compute program on `x` by `y` by `z` work groups.
    ///
    /// Makes this program current and dispatches; when `barriers` is not 0
    /// (GL_SHADER_IMAGE_ACCESS_BARRIER_BIT, GL_TEXTURE_FETCH_BARRIER_BIT, ...), then calls glMemoryBarrier
    /// with it, so that what the dispatch wrote is seen by the reads those bits name. Leaves this program
    /// current. A program without a compute shader leaves GL_INVALID_OPERATION queued.
    void Dispatch(GLuint x, GLuint y, GLuint z, GLbitfield barriers) const;

    /// @name Float uniforms
    ///@{

    /// Sets the float, vec2, vec3 or vec4 uniform `name` of the current program.
    void SetParameter1f(const char* name, float x) const;
    void SetParameter2f(const char* name, float x, float y) const;
    void SetParameter3f(const char* name, float x, float y, float z) const;
    void SetParameter4f(const char* name, float x, float y, float z, float w) const;
    ///@}
    /// Sets one 4x4 matrix from 16 floats, column by column unless `transpose`.
    void SetParameterMatrix4(const char* name, const float* matrix, bool transpose) const;
    /// Sets `count` elements of `elementSize` floats each (1 to 4) from `values`.
    ///
    /// Another size prints "Invalid elementSize value '%d'\n" and sets nothing; an unknown name prints only
    /// its own message.
    void SetParameterArray(const char* name, const float* values, int elementSize, int count) const;
    /// @name Integer uniforms
    ///@{

    /// Sets an int, ivec, bool or sampler uniform, the last taking a texture unit.
    void SetParameter1i(const char* name, GLint x) const;
    void SetParameter2i(const char* name, GLint x, GLint y) const;
    void SetParameter3i(const char* name, GLint x, GLint y, GLint z) const;
    void SetParameter4i(const char* name, GLint x, GLint y, GLint z, GLint w) const;
    ///@}
    /// @name Unsigned uniforms
    ///@{

    /// Sets a uint or uvec uniform, from OpenGL 3.0 on.
    void SetParameter1ui(const char* name, GLuint x) const;
    void SetParameter2ui(const char* name, GLuint x, GLuint y) const;
    void SetParameter3ui(const char* name, GLuint x, GLuint y, GLuint z) const;
    void SetParameter4ui(const char* name, GLuint x, GLuint y, GLuint z, GLuint w) const;
    ///@}
    /// @name Small matrices
    ///@{

    /// Sets one 2x2 matrix from 4 floats, or one 3x3 matrix from 9, column by column unless `transpose`.
    void SetParameterMatrix2(const char* name, const float* matrix, bool transpose) const;
    void SetParameterMatrix3(const char* name, const float* matrix, bool transpose) const;
    ///@}
    /// SetParameterArray for integer elements, with its messages.
    void SetParameterArrayi(const char* name, const GLint* values, int elementSize, int count) const;

    /// Binds a texture to a unit and points the sampler uniform `name` at it.
    ///
    /// Makes this program current, binds `texture` to `target` on texture unit `unit` (counted from 0) and
    /// points the sampler uniform `name` at that unit. Leaves unit 0 active and `texture` bound on unit
    /// `unit`. A name that is not an active uniform prints "Error binding texture '%s'\n" and changes no GL
    /// state.
    void BindTexture(const char* name, GLuint texture, GLenum target, int unit) const;

    /// The context that made `id`, as its window system names it (its GLX or EGL context handle); null
    /// while the object holds none. Set by the library: destroying or replacing the object on another
    /// context is refused, since there the same name may be another object.
    const void* context = nullptr;
};
