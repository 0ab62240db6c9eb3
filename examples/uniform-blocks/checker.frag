#version 330 core
layout(std140) uniform Palette {
    vec4 tint;
    vec4 shade;
};
out vec4 fragColor;

// Squares of 10 pixels, tint and shade in turn.
void main() {
    ivec2 cell = ivec2(gl_FragCoord.xy) / 10;
    fragColor = (cell.x + cell.y) % 2 == 0 ? tint : shade;
}
