// Triangles per second through class 8 (polygons and code 9 strips) compiled
// into segments, on the plain and the vertex-array path, against a minimal
// program compiling the same triangles into one list with glBegin/glEnd; and
// the dispatch cost of a class 4 attribute change.
#include "BenchContext.h"
#include "ddzDispatch.h"
#include "ddzDeviceSettings.h"
#include "ddzSegmentManager.h"
#include "dviIPrimitiveBuffer.h"
#include "dviIViewport.h"
#include "dviTypes.h"
#include "dvisi.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kTriangles = 1000000;
constexpr int kStripLength = 52;                       // 50 triangles a strip
constexpr int kStrips = kTriangles / (kStripLength - 2);
constexpr int kPerSegment = 1000;                      // triangles a segment

struct ShadedViewport : dviIViewport {
    int GetDisplayType(int* type) override { return *type = Shaded, 0; }
    int GetViewportId(int* id) override { return *id = 1, 0; }
    int SetSwitchable(bool) override { return 0; }
};

struct NullBuffer : dviIPrimitiveBuffer {
    int EmptyPolylineBuffer(int) override { return 0; }
    int EmptyTextBuffer() override { return 0; }
    int EmptyPolymarkerBuffer() override { return 0; }
    int Reinitialize(bool) override { return 0; }
    void ClearOutlineDrawing() override {}
};

HWND window = nullptr;
HDC dc = nullptr;
ShadedViewport viewport;

std::vector<float> grid(int vertices) {
    std::vector<float> v;
    for (int i = 0; i < vertices; ++i) v.insert(v.end(), {static_cast<float>(i / 2), static_cast<float>(i % 2), 0.0f});
    return v;
}
const std::vector<float> stripVertices = grid(kStripLength);
const std::vector<float> stripNormals = [] {
    std::vector<float> n;
    for (int i = 0; i < kStripLength; ++i) n.insert(n.end(), {0.0f, 0.0f, 1.0f});
    return n;
}();

void startCore(bool vertexArrays) {
    vertexArrays ? setenv("KOVA_IBM_VA_ENABLED", "1", 1) : unsetenv("KOVA_IBM_VA_ENABLED");
    dvisiInitialize(1, true, false, false, false, 16, window, dc);
    dviIPrimitiveBuffer* out = nullptr;
    ddzSegmentManager::CreatePrimitiveBuffer(new NullBuffer, &out);
    dvisiSegmentManager()->SetCurrentContext(3, &viewport);
}

void stopCore() {
    dvisiTerminate();
    ddzSegmentManager::DeletePrimitiveBuffer();
    glFinish();
}

// Class 8 code 9 strips with per-vertex normals, 1000 triangles a segment.
void compileStrips() {
    std::vector<int32_t> ints = {2, kStripLength, 0x10 | 2};
    std::vector<float> reals = stripVertices;
    void* extra[6] = {nullptr, const_cast<float*>(stripNormals.data()), nullptr, nullptr, nullptr, nullptr};
    const int32_t c = 8, code = 9;
    dviISegmentManager* segments = dvisiSegmentManager();
    int segment = 0;
    for (int s = 0; s < kStrips; ++s) {
        if (s % (kPerSegment / (kStripLength - 2)) == 0) {
            if (s) segments->CloseSegment();
            segments->OpenSegment(segment++, false);
        }
        ddzCommand(&c, &code, ints.data(), reals.data(), extra);
    }
    segments->CloseSegment();
}

// Class 8 code 2 polygons of three points, each a triangle.
void compileTriangles(int triangles) {
    int32_t ints[2] = {3, 0x10 | 2};
    float reals[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    void* extra[6] = {nullptr, const_cast<float*>(stripNormals.data()), nullptr, nullptr, nullptr, nullptr};
    const int32_t c = 8, code = 2;
    dviISegmentManager* segments = dvisiSegmentManager();
    int segment = 0;
    for (int t = 0; t < triangles; ++t) {
        if (t % kPerSegment == 0) {
            if (t) segments->CloseSegment();
            segments->OpenSegment(segment++, false);
        }
        ddzCommand(&c, &code, ints, reals, extra);
    }
    segments->CloseSegment();
}

// Times the compilation alone: the core is made and torn down outside the timing.
template <typename Work>
void timeCompilation(benchmark::State& state, bool vertexArrays, Work work, int triangles) {
    for (auto _ : state) {
        state.PauseTiming();
        startCore(vertexArrays);
        state.ResumeTiming();
        work();
        state.PauseTiming();
        stopCore();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * triangles);
}

void BM_StripsPlain(benchmark::State& state) { timeCompilation(state, false, compileStrips, kTriangles); }
void BM_StripsVertexArrays(benchmark::State& state) { timeCompilation(state, true, compileStrips, kTriangles); }

void BM_TrianglesPlain(benchmark::State& state) {
    ddzSettings().triStripUse = 0;
    timeCompilation(state, false, [] { compileTriangles(kTriangles / 4); }, kTriangles / 4);
    ddzSettings().triStripUse = 1;
}

void BM_TrianglesVertexArrays(benchmark::State& state) {
    ddzSettings().triStripUse = 0;
    timeCompilation(state, true, [] { compileTriangles(kTriangles / 4); }, kTriangles / 4);
    ddzSettings().triStripUse = 1;
}

// The minimal program: the same strips into one list with glBegin/glEnd.
void BM_MinimalOneList(benchmark::State& state) {
    for (auto _ : state) {
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        for (int s = 0; s < kStrips; ++s) {
            glBegin(GL_TRIANGLE_STRIP);
            for (int i = 0; i < kStripLength; ++i) {
                glNormal3fv(&stripNormals[static_cast<size_t>(3 * i)]);
                glVertex3fv(&stripVertices[static_cast<size_t>(3 * i)]);
            }
            glEnd();
        }
        glEndList();
        state.PauseTiming();
        glDeleteLists(list, 1);
        glFinish();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kTriangles);
}

void BM_Class4Dispatch(benchmark::State& state) {
    int32_t colour[1] = {0x123456};
    const int32_t c = 4, code = 18;
    for (auto _ : state) ddzCommand(&c, &code, colour, nullptr);
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_StripsPlain)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_StripsVertexArrays)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_TrianglesPlain)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_TrianglesVertexArrays)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_MinimalOneList)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Class4Dispatch);

}  // namespace

int main(int argc, char** argv) {
    if (!makeBenchContext("primitive benchmark", &window, &dc)) {
        std::fprintf(stderr, "primitive_benchmark: no OpenGL context\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
