#version 330
// The cube, in its own space: unit-free positions, face normals and texture coordinates.
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;

uniform mat4 model;          // a pure rotation
uniform mat4 viewProjection; // world space to clip space

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 uv;

void main() {
    vec4 world = model * vec4(position, 1.0);
    worldPosition = world.xyz;
    // A rotation turns normals exactly as it turns positions.
    worldNormal = mat3(model) * normal;
    uv = texCoord;
    gl_Position = viewProjection * world;
}
