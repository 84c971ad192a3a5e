#pragma once

#include "dviIRenderer.h"

class ddzRendererOGL : public dviIRenderer {
public:
    explicit ddzRendererOGL(bool verbose);

    int GetPolygonMode(bool* filled) override;
    int SetPolygonMode(bool fill) override;

private:
    bool verbose_;
    bool polygonModeKnown_ = true;
    bool polygonsFilled_ = true;
};
