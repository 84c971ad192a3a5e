// The renderer: the one place that sets cacheable OpenGL state, calling
// OpenGL only when a request differs from what it last sent.
#pragma once

class dviIRenderer {
public:
    virtual ~dviIRenderer() = default;
    //! filled receives whether polygons are drawn filled.
    virtual int GetPolygonMode(bool* filled) = 0;
    //! glPolygonMode(GL_FRONT_AND_BACK, GL_FILL or GL_LINE) when the mode changes.
    virtual int SetPolygonMode(bool fill) = 0;
};
