// Edge connectivity of a closed mesh: the linear scan per face side against the
// hash table of end-position pairs.
#include <cmath>

#include <benchmark/benchmark.h>

#include "shadow/EdgeConnectivity.h"

namespace {

// A closed torus of n x n quads, two triangles each. Every face has its own three
// vertices, as a mesh split at its texture seams does, so edges join by position.
void fillTorus(Model3ds& model, int n) {
    auto point = [n](int i, int j) {
        const float u = 6.2831853f * static_cast<float>(i % n) / n;
        const float v = 6.2831853f * static_cast<float>(j % n) / n;
        const float ring = 3.0f + std::cos(v);
        return Vector3(ring * std::cos(u), std::sin(v), ring * std::sin(u));
    };
    auto addFace = [&model](const Vector3& a, const Vector3& b, const Vector3& c) {
        Model3dsFace face{};
        for (int k = 0; k < 3; ++k) face.indices[k] = static_cast<std::uint32_t>(model.vertices.size() + k);
        model.vertices.push_back(a);
        model.vertices.push_back(b);
        model.vertices.push_back(c);
        model.faces.push_back(face);
    };
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            addFace(point(i, j), point(i + 1, j), point(i + 1, j + 1));
            addFace(point(i, j), point(i + 1, j + 1), point(i, j + 1));
        }
    }
    model.vertexCount = static_cast<std::uint32_t>(model.vertices.size());
    model.faceCount = static_cast<std::uint32_t>(model.faces.size());
}

void connectTorus(benchmark::State& state, EdgeSearch search) {
    Model3ds torus;
    fillTorus(torus, static_cast<int>(state.range(0)));
    std::size_t edges = 0;
    for (auto _ : state) {
        const EdgeConnectivity result = connectEdges(torus.vertices, torus.faces.data(), torus.faces.size(), search);
        edges = result.edges.size();
        benchmark::DoNotOptimize(edges);
    }
    state.counters["faces"] = static_cast<double>(torus.faces.size());
    state.counters["edges"] = static_cast<double>(edges);
    state.SetComplexityN(static_cast<benchmark::IterationCount>(torus.faces.size()));
}

void BM_EdgesByScan(benchmark::State& state) { connectTorus(state, EdgeSearch::Scan); }
void BM_EdgesByHash(benchmark::State& state) { connectTorus(state, EdgeSearch::Hashed); }

BENCHMARK(BM_EdgesByScan)->RangeMultiplier(2)->Range(16, 128)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_EdgesByHash)->RangeMultiplier(2)->Range(16, 512)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
