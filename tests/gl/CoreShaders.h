// GLSL 3.30 shaders that every 3.3 context compiles, core or compatibility: a point at the centre, a
// quad of half the viewport's width and height made around it, filled with the `color` uniform.
#pragma once

inline const char kVertex[] = "#version 330 core\nvoid main() { gl_Position = vec4(0.0, 0.0, 0.0, 1.0); }\n";
inline const char kFragment[] = R"(#version 330 core
uniform vec4 color;
out vec4 fragColor;
void main() { fragColor = color; }
)";
inline const char kGeometry[] = R"(#version 330 core
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;
void main() {
    for (int i = 0; i < 4; ++i) {
        vec2 corner = vec2((i & 1) != 0 ? 0.5 : -0.5, i >= 2 ? 0.5 : -0.5);
        gl_Position = gl_in[0].gl_Position + vec4(corner, 0.0, 0.0);
        EmitVertex();
    }
    EndPrimitive();
}
)";
