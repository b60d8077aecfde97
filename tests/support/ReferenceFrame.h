#pragma once
// The game's frame drawn the plain way, the reference its fast drawing is
// compared with: full clears; the whole model of every object in the shadow
// pass, depth-tested; the sky first; every terrain vertex sent one by one
// with the diffuse material changed quad by quad; every object drawn, seen
// or not. The overlay and the HUD are the game's own. It reads the game
// world as the display callback does and leaves the frame in the back
// buffer without swapping.
//
// The benchmark measures its reference frame with the same terrain drawing.
class ShadowGrid;
class Terrain;

void drawReferenceFrame();

// The shadow grid of the world's whole silhouette picture, drawn the plain
// way: every value, from every caster's whole model.
const ShadowGrid& referenceShadowGrid();

// Binds the terrain's picture, sets its material and sends every quad vertex
// by vertex in drawing order; with a grid, each quad's diffuse material is
// its brightness.
void drawTerrainVertexByVertex(const Terrain& terrain, const ShadowGrid* shadows);

// The game's own drawing of every quad, shaded from the grid when there is one.
void drawEveryQuad(const Terrain& terrain, const ShadowGrid* shadows);
