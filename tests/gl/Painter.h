// A program that fills rectangles, shared by the tests that draw.
#pragma once

#include "glProgram.h"
#include "glVertexArray.h"

#include <gtest/gtest.h>
#include <string>

// Fills rectangles through a GLSL 3.30 program that every context the tests run on compiles: fragment
// output i writes colour i, so each draw buffer shows which output reached it.
class Painter {
  public:
    Painter() {
        const char* vertexSource = R"(#version 330 core
uniform vec4 rect;
uniform float z;
void main() { gl_Position = vec4((gl_VertexID & 1) != 0 ? rect.z : rect.x, gl_VertexID >= 2 ? rect.w : rect.y, z, 1); }
)";
        const char* fragmentSource = R"(#version 330 core
uniform vec4 colour0, colour1, colour2;
layout(location = 0) out vec4 out0;
layout(location = 1) out vec4 out1;
layout(location = 2) out vec4 out2;
void main() { out0 = colour0; out1 = colour1; out2 = colour2; }
)";
        vertex_.CompileFromSource(vertexSource, GL_VERTEX_SHADER, 0, 0);
        fragment_.CompileFromSource(fragmentSource, GL_FRAGMENT_SHADER, 0, 0);
        EXPECT_TRUE(program_.Link(vertex_.id, fragment_.id)) << program_.statusMessage;
        EXPECT_TRUE(array_.Create());
    }

    // Fills (x0, y0) to (x1, y1), in normalized device coordinates, at depth `z` (-1 nearest).
    void Fill(float x0, float y0, float x1, float y1, float z, const float (&colours)[3][4]) {
        program_.Bind();
        program_.SetParameter4f("rect", x0, y0, x1, y1);
        program_.SetParameter1f("z", z);
        for (int i = 0; i < 3; ++i) {
            const std::string name = "colour" + std::to_string(i);
            program_.SetParameter4f(name.c_str(), colours[i][0], colours[i][1], colours[i][2], colours[i][3]);
        }
        array_.Bind();
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        array_.Unbind();
        program_.Unbind();
    }

  private:
    CglShader vertex_;
    CglShader fragment_;
    CglProgram program_;
    CglVertexArray array_;
};
