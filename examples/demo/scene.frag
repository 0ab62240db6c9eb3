#version 330
// A lit, textured surface that mirrors some of the sky around it.
uniform sampler2D surface;
uniform samplerCube sky;
uniform vec3 eyePosition;    // world space
uniform vec3 lightDirection; // towards the light, unit length
uniform float reflectivity;  // 0: surface texture only, 1: a perfect mirror

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 uv;

out vec4 fragColor;

void main() {
    vec3 n = normalize(worldNormal);
    vec3 toSurface = normalize(worldPosition - eyePosition);
    vec3 mirrored = texture(sky, reflect(toSurface, n)).rgb;
    float diffuse = max(dot(n, lightDirection), 0.0);
    vec3 lit = texture(surface, uv).rgb * (0.35 + 0.65 * diffuse);
    fragColor = vec4(mix(lit, mirrored, reflectivity), 1.0);
}
