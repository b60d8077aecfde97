#pragma once
// Where the models find their materials in their textures. The pictures are
// painted to this layout and the models' texture coordinates point into it;
// v = 0 is the first row of the file, u = 0 the left column.

// Camo.bmp: horizontal bands of tyre rubber, window glass and lamp glass at
// the bottom, the camouflage pattern above them.
constexpr int kCamoSize = 256;
constexpr int kCamoTyreRows = 32;   // rows [0, 32): dark rubber with tread
constexpr int kCamoGlassRows = 16;  // rows [32, 48): dark tinted glass
constexpr int kCamoLampRows = 16;   // rows [48, 64): pale lamp glass
constexpr double kCamoTyreV0 = 0.0 / kCamoSize, kCamoTyreV1 = 32.0 / kCamoSize;
constexpr double kCamoGlassV0 = 32.0 / kCamoSize, kCamoGlassV1 = 48.0 / kCamoSize;
constexpr double kCamoLampV0 = 48.0 / kCamoSize, kCamoLampV1 = 64.0 / kCamoSize;
constexpr double kCamoPatternV0 = 64.0 / kCamoSize, kCamoPatternV1 = 1.0;

// Tree.bmp: bark in the left half, leaves in the right half. Models keep a
// margin from the seam so filtering never mixes the two.
constexpr int kTreeTextureSize = 256;
constexpr double kTreeBarkU0 = 0.03, kTreeBarkU1 = 0.47;
constexpr double kTreeLeavesU0 = 0.53, kTreeLeavesU1 = 0.97;
