#version 330 core
layout(location = 0) in vec2 corner;
uniform float side; // the square's centre, across the window

void main() {
    gl_Position = vec4(corner.x + side, corner.y, 0.0, 1.0);
}
