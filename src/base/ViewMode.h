#pragma once
// How the player sees the game: from behind and above the vehicle (chase,
// the vehicle drawn) or from its driver's seat (ride, the vehicle not drawn
// and the sky turned with the heading). The values are those GameWorld and
// GameSnapshot keep as cameraMode. A camera that follows nothing looks
// freely from its own eye (free), which the game itself never uses.
#include <cstdint>

enum class ViewMode : int32_t { chase = 0, ride = 1, free = 2 };
