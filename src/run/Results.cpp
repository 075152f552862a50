#include "run/Results.h"

#include <cstdio>

#include "app/Version.h"

namespace {

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A scene's figures as text, shared by every form of the results.
struct SceneTexts {
    std::string frames, fps, median, p95, max;
};

SceneTexts texts(const FrameStatistics& s) {
    return {std::to_string(s.frames), formatted("%.2f", s.framesPerSecond), formatted("%.2f", s.medianMilliseconds),
            formatted("%.2f", s.p95Milliseconds), formatted("%.2f", s.maxMilliseconds)};
}

std::string scoreText(const std::vector<SceneResult>& scenes) { return formatted("%.0f", benchmarkScore(scenes)); }
std::string stepText(const BenchmarkSetting& setting) { return formatted("%g", setting.stepMilliseconds); }
std::string programText() { return std::string("zendrils ") + ZEN_VERSION; }

const char* const kRule = "=======================================================";

bool isWholeNumber(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += std::string("\\") + c;
        else if (static_cast<unsigned char>(c) >= 0x20) out += c;
        else out += formatted("\\u%04x", static_cast<unsigned char>(c));
    }
    return out + "\"";
}

}  // namespace

double benchmarkScore(const std::vector<SceneResult>& scenes) {
    double sum = 0.0;
    for (const SceneResult& scene : scenes) sum += scene.statistics.framesPerSecond;
    return scenes.empty() ? 0.0 : sum / static_cast<double>(scenes.size());
}

std::string consoleHeader(const BenchmarkSetting& s) {
    return std::string(kRule) + "\n    " + programText() + " benchmark\n" + kRule + "\n" +
           "    OpenGL Information\n" +
           "    GL_VENDOR:     " + s.vendor + "\n" +
           "    GL_RENDERER:   " + s.renderer + "\n" +
           "    GL_VERSION:    " + s.version + "\n" +
           "    Size:          " + std::to_string(s.width) + "x" + std::to_string(s.height) +
           (s.offScreen ? " pixels, off screen\n" : " pixels\n") +
           "    Swap interval: " + s.swapInterval + "\n" +
           "    Samples:       " + std::to_string(s.samples) + "\n" +
           "    Tour:          seed " + std::to_string(s.seed) + ", step " + stepText(s) + " ms\n" + kRule + "\n";
}

std::string consoleSceneLine(const SceneResult& scene) {
    const SceneTexts t = texts(scene.statistics);
    return "[" + scene.name + "] frames: " + t.frames + " FPS: " + t.fps + " FrameTime: median " + t.median +
           " ms, p95 " + t.p95 + " ms, max " + t.max + " ms\n";
}

std::string consoleScore(const std::vector<SceneResult>& scenes) {
    return std::string(kRule) + "\n                                  zendrils Score: " + scoreText(scenes) + "\n" +
           kRule + "\n";
}

std::string csvResults(const BenchmarkSetting& s, const std::vector<SceneResult>& scenes) {
    std::string text =
        "renderer,width,height,swap_interval,samples,scene,frames,fps,frame_time_median_ms,frame_time_p95_ms,"
        "frame_time_max_ms,score\n";
    const std::string setting = csvField(s.renderer) + "," + std::to_string(s.width) + "," +
                                std::to_string(s.height) + "," + s.swapInterval + "," + std::to_string(s.samples);
    for (const SceneResult& scene : scenes) {
        const SceneTexts t = texts(scene.statistics);
        text += setting + "," + csvField(scene.name) + "," + t.frames + "," + t.fps + "," + t.median + "," + t.p95 +
                "," + t.max + "," + scoreText(scenes) + "\n";
    }
    return text;
}

std::string jsonResults(const BenchmarkSetting& s, const std::vector<SceneResult>& scenes) {
    std::string text = "{\n  \"program\": " + jsonString(programText()) + ",\n  \"vendor\": " +
                       jsonString(s.vendor) + ",\n  \"renderer\": " + jsonString(s.renderer) +
                       ",\n  \"version\": " + jsonString(s.version) + ",\n  \"width\": " + std::to_string(s.width) +
                       ",\n  \"height\": " + std::to_string(s.height) +
                       ",\n  \"off_screen\": " + (s.offScreen ? "true" : "false") +
                       ",\n  \"swap_interval\": " + (isWholeNumber(s.swapInterval) ? s.swapInterval : "null") +
                       ",\n  \"samples\": " + std::to_string(s.samples) + ",\n  \"seed\": " + std::to_string(s.seed) +
                       ",\n  \"step_ms\": " + stepText(s) + ",\n  \"scenes\": [\n";
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        const SceneTexts t = texts(scenes[i].statistics);
        text += "    {\"name\": " + jsonString(scenes[i].name) + ", \"frames\": " + t.frames + ", \"fps\": " + t.fps +
                ", \"frame_time_median_ms\": " + t.median + ", \"frame_time_p95_ms\": " + t.p95 +
                ", \"frame_time_max_ms\": " + t.max + "}" + (i + 1 < scenes.size() ? ",\n" : "\n");
    }
    return text + "  ],\n  \"score\": " + scoreText(scenes) + "\n}\n";
}
