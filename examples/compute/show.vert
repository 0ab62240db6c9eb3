#version 330 core
out vec2 where;

// One triangle that covers the window, from the vertex index alone.
void main() {
    vec2 corner = vec2((gl_VertexID & 1) * 4 - 1, (gl_VertexID & 2) * 2 - 1);
    where = (corner + 1.0) / 2.0;
    gl_Position = vec4(corner, 0.0, 1.0);
}
