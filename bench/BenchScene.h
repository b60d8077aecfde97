#pragma once
// The ways each terrain size is looked at: the view the player drives in and
// the size of the window the picture is scaled to. Each runs a whole
// scripted run in a process of its own.

enum class BenchScene { chase1024, ride1024, chase1440, count };

constexpr int benchSceneCount = static_cast<int>(BenchScene::count);

struct SceneLook {
    const char* name;      // "chase 1024 x 768", for the table
    const char* jsonName;  // "chase_1024x768"
    bool ride;             // the driver's-seat view ('1'), else the chase view
    int windowWidth;       // the window, and so the picture, in pixels
    int windowHeight;
};

const SceneLook& sceneLook(BenchScene scene);
