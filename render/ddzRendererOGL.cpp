#include "ddzRendererOGL.h"

#include <GL/gl.h>

ddzRendererOGL::ddzRendererOGL(bool verbose) : verbose_(verbose) {}

int ddzRendererOGL::GetPolygonMode(bool* filled) {
    *filled = polygonsFilled_;
    return 0;
}

int ddzRendererOGL::SetPolygonMode(bool fill) {
    if (fill != polygonsFilled_ || !polygonModeKnown_) {
        glPolygonMode(GL_FRONT_AND_BACK, fill ? GL_FILL : GL_LINE);
        polygonsFilled_ = fill;
    }
    polygonModeKnown_ = true;
    return 0;
}
