#version 330
// Copies the offscreen picture to the window, darkening it towards the corners.
uniform sampler2D scene;
uniform float vignette; // how much of the brightness the corners lose

in vec2 uv;

out vec4 fragColor;

void main() {
    // The middle of the picture is copied unchanged.
    float edge = smoothstep(0.45, 0.75, distance(uv, vec2(0.5)));
    fragColor = vec4(texture(scene, uv).rgb * (1.0 - vignette * edge), 1.0);
}
