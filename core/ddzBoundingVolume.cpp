#include "ddzBoundingVolume.h"

#include "dderr.h"
#include "dviIRenderer.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void updateBox(float* box, const float* p, bool first) {
    for (int axis = 0; axis < 3; ++axis) {
        if (first) {
            box[axis] = box[axis + 3] = p[axis];
        } else if (p[axis] < box[axis]) {
            box[axis] = p[axis];
        } else if (p[axis] > box[axis + 3]) {
            box[axis + 3] = p[axis];
        }
    }
}

void userAbort(const char* operation) { dderrorSet(operation, 1, ddzUserAbort, nullptr, __LINE__, "User Abort Detected"); }

}  // namespace

void ddzBoundingVolume::Reset() {
    std::memset(matrix_, 0, sizeof matrix_);
    std::memset(worldBox_, 0, sizeof worldBox_);
    std::memset(modelBox_, 0, sizeof modelBox_);
    state_ = (state_ & kKeptBit) | kEmpty | kIdentity;
}

void ddzBoundingVolume::CopyFrom(const ddzBoundingVolume& other) {
    if (&other == this) return;
    std::memcpy(matrix_, other.matrix_, sizeof matrix_);
    std::memcpy(worldBox_, other.worldBox_, sizeof worldBox_);
    std::memcpy(modelBox_, other.modelBox_, sizeof modelBox_);
    state_ = (state_ & kKeptBit) | (other.state_ & ~kKeptBit);
}

int ddzBoundingVolume::AddVertices(const float* vertices, int count) {
    state_ &= ~kWorldValid;
    for (int i = 0; i < count; ++i) {
        updateBox(modelBox_, vertices + 3 * i, state_ & kEmpty);
        state_ &= ~kEmpty;
    }
    return ddzOk;
}

int ddzBoundingVolume::ApplyModelingXform() {
    if (state_ & kIdentity) {
        std::memcpy(worldBox_, modelBox_, sizeof worldBox_);
    } else {
        bool first = true;
        for (int xi = 0; xi < 2; ++xi) {
            for (int yi = 0; yi < 2; ++yi) {
                for (int zi = 0; zi < 2; ++zi) {
                    const float corner[3] = {modelBox_[xi * 3], modelBox_[1 + yi * 3], modelBox_[2 + zi * 3]};
                    float moved[3];
                    TransformPoint(corner, moved);
                    updateBox(worldBox_, moved, first);
                    first = false;
                }
            }
        }
    }
    state_ |= kWorldValid;
    return ddzOk;
}

void ddzBoundingVolume::TransformPoint(const float* in, float* out) const {
    if (state_ & kIdentity) {
        std::copy_n(in, 3, out);
        return;
    }
    const float* m = matrix_;
    for (int i = 0; i < 3; ++i) out[i] = m[i] * in[0] + m[4 + i] * in[1] + m[8 + i] * in[2] + m[12 + i];
}

int ddzBoundingVolume::ensureWorldBox(const char* operation) {
    if (state_ & kWorldValid) return ddzOk;
    if (ApplyModelingXform() != ddzOk) {
        userAbort(operation);
        return ddzUserAbort;
    }
    return ddzOk;
}

int ddzBoundingVolume::GetBoundingVolume(float* box) {
    if (ensureWorldBox("ddzBoundingVolume::GetBoundingVolume") != ddzOk) return ddzUserAbort;
    std::memcpy(box, worldBox_, sizeof worldBox_);
    return ddzOk;
}

int ddzBoundingVolume::GetBoundingVolumeCentroid(float* point) {
    if (ensureWorldBox("ddzBoundingVolume::GetBoundingVolumeCentroid") != ddzOk) return ddzUserAbort;
    for (int axis = 0; axis < 3; ++axis) point[axis] = (worldBox_[axis] + worldBox_[axis + 3]) * 0.5f;
    return ddzOk;
}

int ddzBoundingVolume::GetBoundingVolumeDiagonal(float* length) {
    if (ensureWorldBox("ddzBoundingVolume::GetBoundingVolumeDiagonal") != ddzOk) return ddzUserAbort;
    float extent[3];
    for (int axis = 0; axis < 3; ++axis) extent[axis] = std::fabs(worldBox_[axis + 3] - worldBox_[axis]);
    std::sort(extent, extent + 3, [](float a, float b) { return a > b; });
    *length = static_cast<float>(0.9398 * extent[0] + 0.3893 * extent[1] + 0.2987 * extent[2]);
    return ddzOk;
}

int ddzBoundingVolume::ExtractCorners(float (*corners)[3]) {
    if (state_ & kEmpty) {
        dderrorSet("ddzBoundingVolume::ExtractCorners", 1, ddzError, nullptr, __LINE__, "Invalid bouding volume");
        return ddzError;
    }
    if (ensureWorldBox("ddzBoundingVolume::ExtractCorners") != ddzOk) return ddzUserAbort;
    const float x0 = worldBox_[0], y0 = worldBox_[1], z0 = worldBox_[2];
    const float x1 = x0 + (worldBox_[3] - x0), y1 = y0 + (worldBox_[4] - y0), z1 = z0 + (worldBox_[5] - z0);
    const float list[8][3] = {{x0, y0, z0}, {x0, y1, z0}, {x1, y0, z0}, {x1, y1, z0},
                              {x1, y0, z1}, {worldBox_[3], worldBox_[4], worldBox_[5]}, {x0, y0, z1}, {x0, y1, z1}};
    std::memcpy(corners, list, sizeof list);
    return ddzOk;
}

int ddzBoundingVolume::RenderOutline(dviIRenderer* renderer, const float* colour) {
    constexpr const char* kOperation = "ddzBoundingVolume::RenderOutline";
    float c[8][3];
    if (ExtractCorners(c) != ddzOk || !renderer) {
        userAbort(kOperation);
        return ddzUserAbort;
    }
    float savedColour[4];
    glGetFloatv(GL_CURRENT_COLOR, savedColour);
    bool filled = true;
    if (renderer->GetPolygonMode(&filled) != ddzOk) {
        userAbort(kOperation);
        return ddzUserAbort;
    }
    glColor3fv(colour);
    if (renderer->SetPolygonMode(false) != ddzOk) {
        glColor4fv(savedColour);
        userAbort(kOperation);
        return ddzUserAbort;
    }
    // Two quad strips cover the six faces.
    static constexpr int strips[2][8] = {{0, 1, 2, 3, 4, 5, 6, 7}, {2, 4, 0, 6, 1, 7, 3, 5}};
    for (const auto& order : strips) {
        glBegin(GL_QUAD_STRIP);
        for (int i : order) glVertex3fv(c[i]);
        glEnd();
    }
    glColor4fv(savedColour);
    if (renderer->SetPolygonMode(filled) != ddzOk) {
        userAbort(kOperation);
        return ddzUserAbort;
    }
    return ddzOk;
}

void ddzBoundingVolume::SetMatrix(const float* matrix) {
    std::memcpy(matrix_, matrix, sizeof matrix_);
    state_ &= ~(kWorldValid | kIdentity);
}

void ddzBoundingVolume::AddComplexity(uint32_t amount) {
    const uint64_t total = static_cast<uint64_t>(Complexity()) + amount;
    const uint32_t saturated = total > kComplexityMax ? kComplexityMax : static_cast<uint32_t>(total);
    state_ = (state_ & ~kComplexityMask) | (saturated << kComplexityShift);
}
