#include <algorithm>
#include <cmath>
#include <vector>

#include "Fighter.h"
#include "FighterAtlas.h"
#include "Noise.h"

namespace {

const float kPi = 3.14159265358979f;
const float kTailZ = -5.5f;
const float kLength = 11.0f;

float signedPower(float value, float exponent) {
    return std::copysign(std::pow(std::fabs(value), exponent), value);
}

// Fuselage cross-section at t in [0, 1] from the tail to the nose tip.
struct Section {
    float halfWidth, halfHeight, centreY;
};

Section fuselageSection(float t) {
    const float body = 0.62f + 0.38f * smoothstep(0.0f, 0.45f, t);
    const float s = std::max(0.0f, (t - 0.55f) / 0.45f);
    const float taper = 1.0f - s * s;
    return {0.95f * body * taper, 0.70f * body * taper, -0.18f * s * s};
}

// Tubes run along +z; the ring angle turns from +x towards +y, so that
// d/d(angle) x d/dz points outward.
GridSurface tube(int columns, int rows, const std::function<Vector3(float angle, int j)>& ringPoint, const UvRect& rect,
                 std::uint32_t groups) {
    GridSurface grid;
    grid.columns = columns;
    grid.rows = rows;
    grid.position = [=](int i, int j) { return ringPoint(2.0f * kPi * static_cast<float>(i) / columns, j); };
    grid.uv = [=](int i, int j, float& u, float& v) {
        u = rect.u(static_cast<float>(i) / columns);
        v = rect.v(static_cast<float>(j) / rows);
    };
    grid.smoothingGroups = [=](int, int) { return groups; };
    return grid;
}

void addFuselage(MeshBuilder& out) {
    const int rows = 40;
    const GridSurface body = tube(
        32, rows,
        [](float angle, int j) {
            const float t = static_cast<float>(j) / rows;
            const Section s = fuselageSection(t);
            const float z = kTailZ + kLength * t;
            if (j == rows) return Vector3(0.0f, s.centreY, z);
            const float c = std::cos(angle), si = std::sin(angle);
            const float height = si > 0.0f ? s.halfHeight : 0.75f * s.halfHeight;
            return Vector3(s.halfWidth * signedPower(c, 0.75f), s.centreY + height * signedPower(si, 0.75f), z);
        },
        fighter_atlas::kFuselage, 1u);
    addGridSurface(out, body);
    addCap(out, gridRow(body, 0), {0.0f, 0.0f, -1.0f}, fighter_atlas::kExhaust, 2u);
}

void addCanopy(MeshBuilder& out) {
    const int rows = 12;
    const Vector3 centre(0.0f, 0.5f, 1.0f);
    const float rx = 0.5f, ry = 0.42f, rz = 1.4f;
    const GridSurface canopy = tube(
        20, rows,
        [=](float angle, int j) {
            if (j == 0) return centre + Vector3(0.0f, 0.0f, -rz);
            if (j == rows) return centre + Vector3(0.0f, 0.0f, rz);
            const float psi = kPi * static_cast<float>(j) / rows;
            return centre + Vector3(rx * std::sin(psi) * std::cos(angle), ry * std::sin(psi) * std::sin(angle),
                                    -rz * std::cos(psi));
        },
        fighter_atlas::kCanopy, 1u);
    addGridSurface(out, canopy);
}

// A thin lifting surface: span along side * x from the root, chord from the
// leading edge towards -z, the thicker face towards +y. The section runs round
// from the leading edge so that the winding faces outward on either side.
struct WingShape {
    float rootX, span, rootY, rise;
    float rootLeadZ, rootTrailZ, tipLeadZ, tipTrailZ;
    float rootThickness, tipThickness;
};

void addWing(MeshBuilder& out, const WingShape& w, float side, const UvRect& rect,
             const std::function<Vector3(const Vector3&)>& place) {
    const float chords[9] = {0.0f, 0.15f, 0.45f, 0.75f, 1.0f, 0.75f, 0.45f, 0.15f, 0.0f};
    const int rows = 4;
    auto airfoil = [](float c) { return 2.6f * std::sqrt(c) * (1.0f - c); };
    GridSurface wing;
    wing.columns = 8;
    wing.rows = rows;
    wing.position = [=](int i, int j) {
        const float s = static_cast<float>(j) / rows;
        const float c = chords[i];
        const float lead = w.rootLeadZ + (w.tipLeadZ - w.rootLeadZ) * s;
        const float trail = w.rootTrailZ + (w.tipTrailZ - w.rootTrailZ) * s;
        const float thickness = (w.rootThickness + (w.tipThickness - w.rootThickness) * s) * airfoil(c);
        const bool firstHalf = i < 4;
        const bool upper = side > 0.0f ? !firstHalf : firstHalf;
        const float y = upper ? thickness : -0.45f * thickness;
        return Vector3(side * (w.rootX + w.span * s), w.rootY + w.rise * s + y, lead + (trail - lead) * c);
    };
    wing.uv = [=](int i, int j, float& u, float& v) {
        u = rect.u(i <= 4 ? chords[i] * 0.5f : 1.0f - chords[i] * 0.5f);
        v = rect.v(static_cast<float>(j) / rows);
    };
    wing.smoothingGroups = [](int i, int) { return i < 4 ? 2u : 4u; };

    MeshBuilder part;
    addGridSurface(part, wing);
    addCap(part, gridRow(wing, 0), {-side, 0.0f, 0.0f}, fighter_atlas::kPlate, 8u);
    addCap(part, gridRow(wing, rows), {side, 0.0f, 0.0f}, fighter_atlas::kPlate, 8u);
    out.append(part.mesh, place);
}

// A round tube along z with flat caps: radius profile r(t) over t in [0, 1].
void addPod(MeshBuilder& out, const Vector3& centre, float rearZ, float frontZ, int columns,
            const std::vector<float>& radii, const UvRect& rect, const UvRect& rearRect, const UvRect& frontRect) {
    const int rows = static_cast<int>(radii.size()) - 1;
    const GridSurface pod = tube(
        columns, rows,
        [=](float angle, int j) {
            const float z = rearZ + (frontZ - rearZ) * static_cast<float>(j) / rows;
            return centre + Vector3(radii[j] * std::cos(angle), radii[j] * std::sin(angle), z);
        },
        rect, 1u);
    addGridSurface(out, pod);
    addCap(out, gridRow(pod, 0), {0.0f, 0.0f, -1.0f}, rearRect, 2u);
    addCap(out, gridRow(pod, rows), {0.0f, 0.0f, 1.0f}, frontRect, 2u);
}

Vector3 rotatedAboutZ(const Vector3& p, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return {p.x * c - p.y * s, p.x * s + p.y * c, p.z};
}

}  // namespace

ThreeDsMesh fighterMesh() {
    MeshBuilder out;
    out.mesh.name = "spaceFighter";
    addFuselage(out);
    addCanopy(out);

    const WingShape wing{0.5f, 5.0f, -0.25f, 0.2f, 1.2f, -3.6f, -2.6f, -3.9f, 0.30f, 0.08f};
    const WingShape fin{0.0f, 2.2f, 0.0f, 0.0f, -2.4f, -5.3f, -4.3f, -5.5f, 0.16f, 0.05f};
    const float cant = 70.0f * kPi / 180.0f;
    for (float side : {1.0f, -1.0f}) {
        addWing(out, wing, side, fighter_atlas::kWing, nullptr);
        addWing(out, fin, side, fighter_atlas::kFin,
                [=](const Vector3& p) { return rotatedAboutZ(p, side * cant) + Vector3(side * 0.3f, 0.3f, 0.0f); });
        addPod(out, {side * 1.6f, -0.32f, 0.0f}, -4.9f, -0.6f, 16,
               {0.36f, 0.44f, 0.46f, 0.46f, 0.46f, 0.46f, 0.46f, 0.45f, 0.43f, 0.40f, 0.32f}, fighter_atlas::kNacelle,
               fighter_atlas::kExhaust, fighter_atlas::kIntake);
        addPod(out, {side * 5.35f, -0.05f, 0.0f}, -4.2f, 0.9f, 8, {0.07f, 0.07f, 0.07f, 0.06f}, fighter_atlas::kCannon,
               fighter_atlas::kPlate, fighter_atlas::kPlate);
    }
    return out.mesh;
}
