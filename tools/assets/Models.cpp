#include "Models.h"

#include "MeshShapes.h"
#include "TextureLayout.h"

namespace {

const UvRect kCamo{0.0, kCamoPatternV0, 1.0, kCamoPatternV1};
const UvRect kTyre{0.0, kCamoTyreV0, 1.0, kCamoTyreV1};
// The hub: plain rubber from the lug-free edge of the tyre band.
const UvRect kHub{0.3, kCamoTyreV0 + 0.5 / kCamoSize, 0.7, kCamoTyreV0 + 3.5 / kCamoSize};
const UvRect kGlass{0.05, kCamoGlassV0 + 0.01, 0.95, kCamoGlassV1 - 0.01};
const UvRect kLamp{0.1, kCamoLampV0 + 0.01, 0.9, kCamoLampV1 - 0.01};
const UvRect kBark{kTreeBarkU0, 0.02, kTreeBarkU1, 0.98};
const UvRect kLeaves{kTreeLeavesU0, 0.02, kTreeLeavesU1, 0.98};

constexpr double kHalfLength = kVehicleLength / 2;
constexpr double kWheelRadius = 0.25;
constexpr double kWheelX = 0.8;        // axles at +-kWheelX
constexpr double kWheelInner = 0.40;   // wheels span |z| from here ...
constexpr double kWheelOuter = 0.62;   // ... to here
constexpr double kBodyHalfWidth = 0.58;
constexpr double kGlassLift = 0.004;   // windows sit just proud of the body
constexpr double kCamoPerUnit = 0.4;   // texture units per model unit: the side shows the pattern's width

void addWheels(Mesh& mesh) {
    for (double x : {-kWheelX, kWheelX})
        for (double side : {-1.0, 1.0}) {
            double z0 = side > 0 ? kWheelInner : -kWheelOuter;
            double z1 = side > 0 ? kWheelOuter : -kWheelInner;
            addCylinderZ(mesh, x, kWheelRadius, kWheelRadius, z0, z1, 16, kTyre, kHub);
        }
}

void addBody(Mesh& mesh) {
    // Chassis and bonnet: one slab the length of the vehicle, its nose bevelled.
    addExtrudedProfile(mesh, {{-kHalfLength, 0.26}, {kHalfLength - 0.02, 0.26}, {kHalfLength - 0.02, 0.56},
                              {kHalfLength - 0.1, 0.64}, {-kHalfLength, 0.64}},
                       -kBodyHalfWidth, kBodyHalfWidth, kCamo, kCamoPerUnit);
    // Cab with a raked windscreen.
    addExtrudedProfile(mesh, {{-0.72, 0.64}, {0.42, 0.64}, {0.18, 0.98}, {-0.7, 0.98}}, -0.54, 0.54, kCamo,
                       kCamoPerUnit);
    // Covered cargo bed behind the cab, a little lower.
    addExtrudedProfile(mesh, {{-kHalfLength, 0.64}, {-0.72, 0.64}, {-0.72, 0.9}, {-kHalfLength + 0.04, 0.88}},
                       -0.56, 0.56, kCamo, kCamoPerUnit);
    // Grille and headlamps on the nose.
    addBox(mesh, {kHalfLength - 0.02, 0.32, -0.3}, {kHalfLength, 0.52, 0.3}, kGlass);
    for (double side : {-1.0, 1.0})
        addBox(mesh, {kHalfLength - 0.02, 0.44, side * 0.44 - 0.07}, {kHalfLength, 0.54, side * 0.44 + 0.07}, kLamp);
    // Bumper below the grille.
    addBox(mesh, {kHalfLength - 0.06, 0.2, -0.56}, {kHalfLength, 0.28, 0.56}, kTyre);
}

void addWindows(Mesh& mesh) {
    // Windscreen: on the raked face from (0.42, 0.64) up to (0.18, 0.98),
    // lifted along that face's outward normal (0.34, 0.24) scaled to unit length.
    double nx = 0.817 * kGlassLift, ny = 0.577 * kGlassLift;
    auto onScreen = [&](double t, double z) {
        return Vec3{0.42 - 0.24 * t + nx, 0.64 + 0.34 * t + ny, z};
    };
    addQuad(mesh, onScreen(0.25, 0.46), onScreen(0.25, -0.46), onScreen(0.9, -0.46), onScreen(0.9, 0.46), kGlass);
    // Side windows on both sides of the cab.
    double z = 0.54 + kGlassLift;
    addQuad(mesh, {-0.6, 0.74, z}, {0.2, 0.74, z}, {0.08, 0.92, z}, {-0.6, 0.92, z}, kGlass);
    addQuad(mesh, {0.2, 0.74, -z}, {-0.6, 0.74, -z}, {-0.6, 0.92, -z}, {0.08, 0.92, -z}, kGlass);
}

}  // namespace

Mesh makeVehicle() {
    Mesh mesh;
    addWheels(mesh);
    addBody(mesh);
    addWindows(mesh);
    return mesh;
}

Mesh makeTree() {
    Mesh mesh;
    addFrustumY(mesh, 0.0, 0.09, 0.75, 0.05, 10, kBark);
    // The crown reaches from 0.4 up to the tree's full height.
    double crownRadiusY = (kTreeHeight - 0.4) / 2;
    addEllipsoid(mesh, {0, 0.4 + crownRadiusY, 0}, {0.45, crownRadiusY, 0.45}, 14, 10, 0.08, 606u, kLeaves);
    return mesh;
}
