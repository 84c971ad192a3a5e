// The axis-aligned box of a segment's geometry: kept in model space as
// vertices arrive, turned lazily into a world box by the modeling matrix.
#pragma once

#include <cstdint>

class dviIRenderer;

class ddzBoundingVolume {
public:
    static constexpr uint32_t kWorldValid = 1u << 0;
    static constexpr uint32_t kEmpty = 1u << 1;
    static constexpr uint32_t kIdentity = 1u << 2;
    static constexpr uint32_t kComplexityShift = 3;
    static constexpr uint32_t kComplexityMax = (1u << 28) - 1;
    static constexpr uint32_t kComplexityMask = kComplexityMax << kComplexityShift;
    static constexpr uint32_t kKeptBit = 1u << 31;

    ddzBoundingVolume() { Reset(); }
    virtual ~ddzBoundingVolume() = default;
    ddzBoundingVolume(const ddzBoundingVolume&) = delete;
    ddzBoundingVolume& operator=(const ddzBoundingVolume&) = delete;

    //! Zero matrix and boxes, empty and identity; bit 31 kept.
    void Reset();
    //! Copies matrix, boxes, bits 0..2 and the complexity; bit 31 of this volume kept.
    void CopyFrom(const ddzBoundingVolume& other);

    //! Grows the model box by count (x, y, z) vertices; the world box becomes stale.
    int AddVertices(const float* vertices, int count);
    //! World box = model box through the matrix (the identity copies it).
    int ApplyModelingXform();
    //! The world box: min x, y, z, max x, y, z.
    int GetBoundingVolume(float* box);
    int GetBoundingVolumeCentroid(float* point);
    //! A square-root-free estimate of the world box's diagonal.
    int GetBoundingVolumeDiagonal(float* length);
    //! The eight world corners; 2 for an empty volume.
    int ExtractCorners(float (*corners)[3]);
    //! Draws the box as outlined quad strips in colour; restores the colour and the fill state.
    int RenderOutline(dviIRenderer* renderer, const float* colour);
    void TransformPoint(const float* in, float* out) const;

    //! The segment's modeling matrix (16 floats, column-major); clears world-valid and identity.
    void SetMatrix(const float* matrix);
    //! Adds to the 28-bit complexity, stopping at its maximum.
    void AddComplexity(uint32_t amount);
    uint32_t Complexity() const { return (state_ & kComplexityMask) >> kComplexityShift; }
    uint32_t State() const { return state_; }
    bool IsEmpty() const { return state_ & kEmpty; }
    const float* ModelBox() const { return modelBox_; }

private:
    int ensureWorldBox(const char* operation);

    float matrix_[16];
    float worldBox_[6];
    float modelBox_[6];
    uint32_t state_ = 0;
};
