// Polylines and filled polygons.
#pragma once

class ddzIPolyline {
public:
    virtual ~ddzIPolyline() = default;
    //! Draws a 2D or 3D polyline; colourMaterialOn (in/out) is switched off first.
    virtual int AddPolyline(int dimension, int count, const float* points, bool* colourMaterialOn) = 0;
};

class ddzPolyline : public ddzIPolyline {
public:
    //! A polyline of more than lineStripMinimum points is one line strip, a shorter one separate lines.
    explicit ddzPolyline(int lineStripMinimum) : lineStripMinimum_(lineStripMinimum) {}
    int AddPolyline(int dimension, int count, const float* points, bool* colourMaterialOn) override;
    int LineStripMinimum() const { return lineStripMinimum_; }
    void SetLineStripMinimum(int minimum) { lineStripMinimum_ = minimum; }

protected:
    virtual int GeneratePolyline(int dimension, int count, const float* points);
    int lineStripMinimum_;
};

//! 3D polylines as one line strip through the vertex dispatch; 2D ones as plain polylines.
class ddzVertexArrayPolyline : public ddzPolyline {
public:
    using ddzPolyline::ddzPolyline;

protected:
    int GeneratePolyline(int dimension, int count, const float* points) override;
};

class ddzIFilledPolygon {
public:
    virtual ~ddzIFilledPolygon() = default;
    virtual int AddFilledPolygon(int count, const float* points) = 0;
};

class ddzFilledPolygon : public ddzIFilledPolygon {
public:
    int AddFilledPolygon(int count, const float* points) override;
};
