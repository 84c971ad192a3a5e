// Segments per second: compile and close segments of 100 triangles each, then
// delete them one by one or all at once. Each driver case has a plain-OpenGL
// twin issuing the same lists, so the share of time spent outside OpenGL is
// (driver - plain) / driver.
#include "BenchContext.h"
#include "dderr.h"
#include "ddzPhysicalDeviceSegment.h"
#include "ddzSegmentManager.h"
#include "dviDisplayListManager.h"
#include "dviIViewport.h"
#include "dviTypes.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kSegments = 10000;
constexpr int kTriangles = 100;

struct ShadedViewport : dviIViewport {
    int GetDisplayType(int* type) override { return *type = Shaded, 0; }
    int GetViewportId(int* id) override { return *id = 1, 0; }
    int SetSwitchable(bool) override { return 0; }
};

std::vector<float> strip() {
    std::vector<float> v;
    for (int i = 0; i < kTriangles * 3; ++i) {
        v.push_back(static_cast<float>(i % 7));
        v.push_back(static_cast<float>(i % 5));
        v.push_back(static_cast<float>(i % 3));
    }
    return v;
}
const std::vector<float> vertices = strip();

void drawTriangles() {
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < kTriangles * 3; ++i) glVertex3fv(&vertices[static_cast<size_t>(3 * i)]);
    glEnd();
}

void compileSegments(ddzSegmentManager& manager) {
    for (int id = 0; id < kSegments; ++id) {
        manager.OpenSegment(id, false);
        drawTriangles();
        manager.AddPrimitiveToSegment(dviAreaPrimitive);
        manager.AddVerticesToBoundingVolume(vertices.data(), kTriangles * 3, true, 1);
        manager.CloseSegment();
    }
}

struct Driver {
    dviDisplayListManager lists{16};
    ShadedViewport viewport;
    ddzSegmentManager manager{0};
    Driver() {
        ddzPhysicalDeviceSegment::SetDisplayListManager(&lists);
        manager.SetCurrentContext(3, &viewport);
    }
    ~Driver() { ddzPhysicalDeviceSegment::SetDisplayListManager(nullptr); }
};

void BM_DriverCompileAndClose(benchmark::State& state) {
    for (auto _ : state) {
        Driver d;
        compileSegments(d.manager);
        state.PauseTiming();
        d.manager.DeleteAllForNewModelFile();
        d.lists.DeleteAllViewportDisplayLists();
        glFinish();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kSegments);
}

// The same lists without the driver: four names, the geometry list, the segment list calling it.
void BM_PlainCompileAndClose(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<GLuint> bases;
        bases.reserve(kSegments);
        for (int id = 0; id < kSegments; ++id) {
            const GLuint base = glGenLists(4);
            glNewList(base + 2, GL_COMPILE);
            drawTriangles();
            glEndList();
            glGetError();
            glNewList(base, GL_COMPILE);
            glEnable(GL_LIGHTING);
            glCallList(base + 2);
            glDisable(GL_LIGHTING);
            glEndList();
            glGetError();
            bases.push_back(base);
        }
        state.PauseTiming();
        for (GLuint base : bases) glDeleteLists(base, 4);
        glFinish();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kSegments);
}

void BM_DriverDeleteOneByOne(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto d = std::make_unique<Driver>();
        compileSegments(d->manager);
        state.ResumeTiming();
        for (int id = 0; id < kSegments; ++id) d->manager.DeleteSegment(id);
        state.PauseTiming();
        d.reset();  // tearing down the pools is not part of the deletion
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kSegments);
}

void BM_PlainDeleteOneByOne(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<GLuint> bases;
        for (int id = 0; id < kSegments; ++id) {
            const GLuint base = glGenLists(4);
            glNewList(base + 2, GL_COMPILE);
            drawTriangles();
            glEndList();
            bases.push_back(base);
        }
        state.ResumeTiming();
        for (GLuint base : bases) {
            for (GLuint i = 0; i < 4; ++i) glDeleteLists(base + i, 1);
        }
    }
    state.SetItemsProcessed(state.iterations() * kSegments);
}

void BM_DriverDeleteAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto d = std::make_unique<Driver>();
        compileSegments(d->manager);
        state.ResumeTiming();
        d->manager.DeleteAllForNewModelFile();
        d->lists.DeleteAllViewportDisplayLists();
        state.PauseTiming();
        d.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kSegments);
}

BENCHMARK(BM_DriverCompileAndClose)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainCompileAndClose)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DriverDeleteOneByOne)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainDeleteOneByOne)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DriverDeleteAll)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    HWND window = nullptr;
    HDC dc = nullptr;
    if (!makeBenchContext("segment benchmark", &window, &dc)) {
        std::fprintf(stderr, "segment_benchmark: no OpenGL context\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
