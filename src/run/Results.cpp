#include "run/Results.h"

#include <cstdio>

#include "app/Version.h"

namespace {

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string twoDecimals(double value) { return formatted("%.2f", value); }
std::string number(long value) { return std::to_string(value); }
std::string flag(bool value) { return value ? "true" : "false"; }

std::string scoreText(const std::vector<SceneResult>& scenes) { return formatted("%.0f", benchmarkScore(scenes)); }
std::string stepText(const BenchmarkSetting& setting) { return formatted("%g", setting.stepMilliseconds); }
std::string programText() { return std::string("zendrils ") + ZEN_VERSION; }
std::string sizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

bool isWholeNumber(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

const char* const kRule = "=======================================================";

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

// One field of the results: its name, and its value as CSV and as JSON write it.
struct Field {
    std::string name, csv, json;
};

Field text(const std::string& name, const std::string& value) { return {name, csvField(value), jsonString(value)}; }
Field figure(const std::string& name, const std::string& value) { return {name, value, value}; }
// A figure that may be absent: empty in CSV, null in JSON.
Field optional(const std::string& name, bool present, const std::string& value) {
    return {name, present ? value : "", present ? value : "null"};
}

// "shadow volumes" as a field's name: "shadow_volumes".
std::string keyName(const char* name) {
    std::string key = name;
    for (char& c : key)
        if (c == ' ') c = '_';
    return key;
}

std::vector<Field> settingFields(const BenchmarkSetting& s) {
    return {text("program", programText()),
            text("vendor", s.vendor),
            text("renderer", s.renderer),
            text("version", s.version),
            figure("width", std::to_string(s.width)),
            figure("height", std::to_string(s.height)),
            figure("off_screen", flag(s.offScreen)),
            {"egl", csvField(s.egl), s.egl.empty() ? "null" : jsonString(s.egl)},
            {"swap_interval", s.swapInterval, isWholeNumber(s.swapInterval) ? s.swapInterval : "null"},
            figure("samples", std::to_string(s.samples)),
            figure("seed", std::to_string(s.seed)),
            figure("step_ms", stepText(s))};
}

// The passes a result never came for, by their fields' names: "lit;overlay" in CSV.
Field missingPasses(const PassTimes& passes) {
    std::string csv, json;
    for (int pass = 0; pass < kFramePassCount; ++pass) {
        if (!passes[pass].missing) continue;
        const std::string key = keyName(framePassName(static_cast<FramePass>(pass)));
        csv += (csv.empty() ? "" : ";") + key;
        json += (json.empty() ? "" : ", ") + jsonString(key);
    }
    return {"gpu_missing", csv, "[" + json + "]"};
}

std::vector<Field> sceneFields(const BenchmarkSetting& setting, const SceneResult& scene) {
    const FrameStatistics& s = scene.statistics;
    std::vector<Field> fields = {text("scene", scene.name),
                                 figure("width", std::to_string(scene.width)),
                                 figure("height", std::to_string(scene.height)),
                                 figure("frames", number(s.frames)),
                                 figure("flights", number(scene.flights)),
                                 figure("fps", twoDecimals(s.framesPerSecond)),
                                 figure("frame_time_median_ms", twoDecimals(s.medianMilliseconds)),
                                 figure("frame_time_p95_ms", twoDecimals(s.p95Milliseconds)),
                                 figure("frame_time_max_ms", twoDecimals(s.maxMilliseconds)),
                                 figure("cpu_time_median_ms", twoDecimals(scene.cpuMilliseconds))};
    for (int pass = 0; pass < kFramePassCount; ++pass) {
        const PassTime& time = scene.passes[pass];
        const bool present = setting.passTimes && time.drawn && !time.missing;
        fields.push_back(optional("gpu_" + keyName(framePassName(static_cast<FramePass>(pass))) + "_ms", present,
                                  twoDecimals(time.medianMilliseconds)));
    }
    fields.push_back(missingPasses(scene.passes));
    return fields;
}

// The passes' GPU times, those of the passes drawn: "sky 1.20 ms, lit missing".
std::string passTimesText(const PassTimes& passes) {
    std::string list;
    for (int pass = 0; pass < kFramePassCount; ++pass) {
        const PassTime& time = passes[pass];
        if (!time.drawn) continue;
        list += (list.empty() ? "" : ", ") + std::string(framePassName(static_cast<FramePass>(pass))) +
                (time.missing ? " missing" : " " + twoDecimals(time.medianMilliseconds) + " ms");
    }
    return list;
}

// A CSV row: the setting, less its size, which each scene gives as drawn, then the scene and the score.
std::vector<Field> csvRow(const BenchmarkSetting& setting, const SceneResult& scene, const std::string& score) {
    std::vector<Field> fields;
    for (const Field& field : settingFields(setting))
        if (field.name != "width" && field.name != "height") fields.push_back(field);
    for (const Field& field : sceneFields(setting, scene)) fields.push_back(field);
    fields.push_back(figure("score", score));
    return fields;
}

std::string csvLine(const std::vector<Field>& fields, std::string Field::*part) {
    std::string line;
    for (const Field& field : fields) line += (line.empty() ? "" : ",") + field.*part;
    return line + "\n";
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
           (s.egl.empty() ? "" : "    EGL:           " + s.egl + "\n") +
           "    Size:          " + sizeText(s.width, s.height) + (s.offScreen ? " pixels, off screen\n" : " pixels\n") +
           "    Swap interval: " + s.swapInterval + "\n" +
           "    Samples:       " + std::to_string(s.samples) + "\n" +
           "    Tour:          seed " + std::to_string(s.seed) + ", step " + stepText(s) + " ms\n" + kRule + "\n";
}

std::string consoleSceneLines(const BenchmarkSetting& setting, const SceneResult& scene) {
    const FrameStatistics& s = scene.statistics;
    const std::string passes = setting.passTimes ? passTimesText(scene.passes) : "";
    return "[" + scene.name + "] frames: " + number(s.frames) + " flights: " + number(scene.flights) +
           " FPS: " + twoDecimals(s.framesPerSecond) + " FrameTime: median " + twoDecimals(s.medianMilliseconds) +
           " ms, p95 " + twoDecimals(s.p95Milliseconds) + " ms, max " + twoDecimals(s.maxMilliseconds) +
           " ms\n    " + (passes.empty() ? "" : "GPU: " + passes + "; ") +
           "CPU: " + twoDecimals(scene.cpuMilliseconds) + " ms\n";
}

std::string consoleScore(const std::vector<SceneResult>& scenes) {
    return std::string(kRule) + "\n                                  zendrils Score: " + scoreText(scenes) + "\n" +
           kRule + "\n";
}


std::string csvResults(const BenchmarkSetting& setting, const std::vector<SceneResult>& scenes) {
    std::string text = csvLine(csvRow(setting, SceneResult(), ""), &Field::name);
    for (const SceneResult& scene : scenes) text += csvLine(csvRow(setting, scene, scoreText(scenes)), &Field::csv);
    return text;
}

std::string jsonResults(const BenchmarkSetting& setting, const std::vector<SceneResult>& scenes) {
    std::string text = "{\n";
    for (const Field& field : settingFields(setting)) text += "  \"" + field.name + "\": " + field.json + ",\n";
    text += "  \"scenes\": [\n";
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        std::string object;
        for (const Field& field : sceneFields(setting, scenes[i]))
            object += (object.empty() ? "" : ", ") + ("\"" + field.name + "\": " + field.json);
        text += "    {" + object + "}" + (i + 1 < scenes.size() ? ",\n" : "\n");
    }
    return text + "  ],\n  \"score\": " + scoreText(scenes) + "\n}\n";
}
