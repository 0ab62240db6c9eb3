#version 330
// A quad covering the window, in normalized device coordinates.
layout(location = 0) in vec3 position;

out vec2 uv;

void main() {
    uv = position.xy * 0.5 + 0.5;
    gl_Position = vec4(position.xy, 0.0, 1.0);
}
