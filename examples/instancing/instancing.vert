#version 330 core
layout(location = 0) in vec2 corner; // per vertex
layout(location = 1) in vec2 place;  // per instance
layout(location = 2) in vec3 colour; // per instance
out vec3 tint;

void main() {
    tint = colour;
    // Each quad fills four fifths of its cell.
    gl_Position = vec4(place + (0.02 + corner * 0.16), 0.0, 1.0);
}
