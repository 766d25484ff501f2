// Hidden-line faces: pushed back in depth so the edges on them always win, more where the
// face is seen at a slant (what polygon offset's slope factor does).
void MAIN()
{
    vec4 world = MODEL_MATRIX * vec4(VERTEX, 1.0);
    vec3 n = normalize(NORMAL_MATRIX * NORMAL);
    float c = max(abs(dot(n, normalize(CAMERA_POSITION - world.xyz))), 0.05);
    float slope = min(sqrt(1.0 - c * c) / c, 20.0);
    POSITION = MODELVIEWPROJECTION_MATRIX * vec4(VERTEX, 1.0);
    POSITION.z += depthOffset * (0.5 + slope) * POSITION.w;
}
