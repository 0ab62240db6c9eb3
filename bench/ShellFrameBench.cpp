// The cost of one shell frame against a bare GLUT frame that only clears and swaps, and the heap
// allocations per shell frame against a hand-written frame making exactly the same GL and GLUT calls.
// Run on an X display (scripts/bench starts a virtual one).
#include "AllocationCounter.h"
#include "Callbacks.h"
#include "FrameRate.h"

#include <GL/freeglut.h>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

void BareFrame() {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

// The shell's frame written out call by call, drawing the text the shell drew last, so that both draw
// the same characters.
void HandWrittenFrame() {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    benchmark::DoNotOptimize(glutGet(GLUT_ELAPSED_TIME));
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const float yellow[4] = {1.0f, 1.0f, 0.0f, 1.0f};
    glColor4fv(yellow);
    glRasterPos2f(-1.0f, static_cast<float>(1.0 - 35.0 / windowHeight));
    char text[64];
    snprintf(text, sizeof text, "FPS = %f", static_cast<double>(framesPerSecond));
    int width = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        glutBitmapCharacter(GLUT_BITMAP_9_BY_15, *c);
        width += glutBitmapWidth(GLUT_BITMAP_9_BY_15, *c);
    }
    benchmark::DoNotOptimize(width);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glutSwapBuffers();
}

void BM_BareFrame(benchmark::State& state) {
    for (auto _ : state) {
        BareFrame();
    }
    glFinish();
}

void BM_ShellFrame(benchmark::State& state) {
    for (auto _ : state) {
        OnDisplay();
    }
    glFinish();
}

void BM_HandWrittenFrame(benchmark::State& state) {
    for (auto _ : state) {
        HandWrittenFrame();
    }
    glFinish();
}

BENCHMARK(BM_BareFrame)->MinTime(1.0)->Repetitions(7)->ReportAggregatesOnly()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShellFrame)->MinTime(1.0)->Repetitions(7)->ReportAggregatesOnly()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HandWrittenFrame)
    ->MinTime(1.0)
    ->Repetitions(7)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMicrosecond);

// Keeps the median time per iteration of each benchmark over its repetitions, for the ratios printed at
// the end. Frames wait on the X server, whose pace drifts; the repetitions run interleaved in random
// order so that a drift falls on every benchmark alike.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                microseconds[run.run_name.function_name] = run.GetAdjustedRealTime(); // the unit set below
            }
        }
    }
    std::map<std::string, double> microseconds;
};

uint64_t AllocationsPerThousandFrames(void (*frame)()) {
    for (int i = 0; i < 200; ++i) {
        frame(); // warm-up: first-use allocations of GLUT, Mesa and X
    }
    alloc::ResetCount();
    alloc::Enable(true);
    for (int i = 0; i < 1000; ++i) {
        frame();
    }
    alloc::Enable(false);
    return alloc::Count();
}

} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitWindowSize(static_cast<int>(windowWidth), static_cast<int>(windowHeight));
    glutInitWindowPosition(0, 0);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Vistrel benchmark");
    glutDisplayFunc(OnDisplay);
    for (int i = 0; i < 10; ++i) {
        glutMainLoopEvent();
    }

    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    double bare = reporter.microseconds["BM_BareFrame"];
    double shell = reporter.microseconds["BM_ShellFrame"];
    double hand = reporter.microseconds["BM_HandWrittenFrame"];
    if (bare > 0 && shell > 0 && hand > 0) {
        printf("\nshell frame / bare frame: %.3f (%.1f us against %.1f us)\n", shell / bare, shell, bare);
        printf("shell frame / hand-written frame with the same calls: %.3f (%.1f us)\n", shell / hand, hand);
    }

    // X and Mesa now and then allocate a few times for their own housekeeping, landing on whichever
    // frame runs then; the fewest allocations over several interleaved runs are the frames' own.
    uint64_t shellAllocations = UINT64_MAX;
    uint64_t handAllocations = UINT64_MAX;
    for (int run = 0; run < 5; ++run) {
        shellAllocations = std::min(shellAllocations, AllocationsPerThousandFrames(OnDisplay));
        handAllocations = std::min(handAllocations, AllocationsPerThousandFrames(HandWrittenFrame));
    }
    uint64_t bareAllocations = AllocationsPerThousandFrames(BareFrame);
    printf("heap allocations over 1000 frames: shell %llu, hand-written same calls %llu, bare %llu\n",
           static_cast<unsigned long long>(shellAllocations),
           static_cast<unsigned long long>(handAllocations),
           static_cast<unsigned long long>(bareAllocations));
    printf("allocations per frame: shell %.2f, hand-written %.2f, difference %lld\n",
           shellAllocations / 1000.0, handAllocations / 1000.0,
           static_cast<long long>(shellAllocations) - static_cast<long long>(handAllocations));
    return 0;
}
