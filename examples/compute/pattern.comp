#version 430 core
layout(local_size_x = 16, local_size_y = 16) in;
layout(rgba8, binding = 0) uniform writeonly image2D image;

// Red grows to the right, green upwards; blue marks squares of 32 pixels in turn.
void main() {
    ivec2 at = ivec2(gl_GlobalInvocationID.xy);
    float blue = (at.x / 32 + at.y / 32) % 2 == 0 ? 1.0 : 0.0;
    imageStore(image, at, vec4(vec2(at) / 255.0, blue, 1.0));
}
