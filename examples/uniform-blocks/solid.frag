#version 330 core
layout(std140) uniform Palette {
    vec4 tint;
    vec4 shade;
};
out vec4 fragColor;

void main() {
    fragColor = tint;
}
