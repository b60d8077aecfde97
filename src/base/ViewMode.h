#pragma once
// How the player sees the game: from behind and above the vehicle (chase,
// the vehicle drawn) or from its driver's seat (ride, the vehicle not drawn
// and the sky turned with the heading). The values are those GameWorld and
// GameSnapshot keep as cameraMode.
#include <cstdint>

enum class ViewMode : int32_t { chase = 0, ride = 1 };
