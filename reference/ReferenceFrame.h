#pragma once
// The game's frame drawn the plain way, the reference its fast drawing is
// compared with (by the tests) and timed against (by the benchmark): full
// clears; the whole model of every object in the shadow pass, depth-tested,
// over the whole picture; the sky first, with depth testing off; every
// terrain vertex sent one by one with the diffuse material changed quad by
// quad; every object drawn, seen or not. The overlay and the HUD are the
// game's own. It draws from the same frame record as the game, emits the
// same frame-pass marks, and leaves the frame in the back buffer without
// swapping.
class FrameLights;
struct FrameView;
class ShadowGrid;
class Terrain;
class VisibleQuads;

void drawReferenceFrame(const FrameView& frame, FrameLights& lights);

// The shadow grid of the frame's whole silhouette picture, drawn the plain
// way: every value, from every caster's whole model.
const ShadowGrid& referenceShadowGrid(const FrameView& frame);

// Binds the terrain's picture, sets its material and sends the chosen quads
// vertex by vertex in drawing order; with a grid, each quad's diffuse
// material is its brightness.
void drawTerrainVertexByVertex(const Terrain& terrain, const VisibleQuads& quads, const ShadowGrid* shadows);
// The same for every quad of the grid.
void drawTerrainVertexByVertex(const Terrain& terrain, const ShadowGrid* shadows);
