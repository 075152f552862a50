#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "run/Results.h"

namespace {

std::set<std::string> csvColumns(const std::string& csv) {
    std::set<std::string> names;
    std::istringstream header(csv.substr(0, csv.find('\n')));
    for (std::string name; std::getline(header, name, ',');) names.insert(name);
    return names;
}

std::set<std::string> jsonKeys(const std::string& json) {
    std::set<std::string> keys;
    const std::regex key("\"([a-z_0-9]+)\": ");
    for (std::sregex_iterator at(json.begin(), json.end(), key), end; at != end; ++at) keys.insert((*at)[1]);
    return keys;
}

}  // namespace

// Every field of one form is a field of the other; a pass whose result never
// came is named as missing in each, never given as 0.
TEST(Results, CsvAndJsonCarryTheSameFieldsAndNameMissingPasses) {
    BenchmarkSetting setting;
    setting.renderer = "a, renderer";
    setting.swapInterval = "unknown";
    setting.passTimes = true;
    SceneResult scene;
    scene.name = "planet";
    scene.passes[static_cast<int>(FramePass::Sky)] = {true, false, 1.25};
    scene.passes[static_cast<int>(FramePass::Lit)] = {true, true, 0.0};
    const std::string csv = csvResults(setting, {scene}), json = jsonResults(setting, {scene});

    std::set<std::string> keys = jsonKeys(json);
    keys.erase("scenes");  // CSV has a row a scene
    EXPECT_EQ(csvColumns(csv), keys) << csv << json;
    EXPECT_NE(json.find("\"gpu_sky_ms\": 1.25, \"gpu_ambient_ms\": null, \"gpu_shadow_volumes_ms\": null, "
                        "\"gpu_lit_ms\": null, \"gpu_reflection_ms\": null, \"gpu_overlay_ms\": null, "
                        "\"gpu_missing\": [\"lit\"]"),
              std::string::npos)
        << json;
    EXPECT_NE(csv.find(",1.25,,,,,,lit,"), std::string::npos) << csv;
    EXPECT_NE(consoleSceneLines(setting, scene).find("\n    GPU: sky 1.25 ms, lit missing; CPU: 0.00 ms\n"),
              std::string::npos);
}
