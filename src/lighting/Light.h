#pragma once
// A fixed-function GL light held by one object. The constructor claims the
// lowest free slot of the process-wide table (LightSlots.h) and switches the
// light on; the destructor switches it off and frees the slot.
//
// The light in slot 0 is special: GL's own default gives GL_LIGHT0 a black
// ambient, and the game keeps it that way. Its ambient is never set, and
// disable() leaves GL_LIGHT0 enabled with black diffuse and specular.
//
// Position and direction reach GL only through apply(), which sends them
// through the modelview matrix in force at the time of the call.
#include <GL/gl.h>

class Light {
public:
    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    // Sends the light's placement to GL; does nothing while switched off.
    virtual void apply() = 0;

    // Switches the light on at full white.
    void enable();
    // Switches the light off (see slot 0 above).
    void disable();
    // Diffuse and specular (v, v, v, 1) while on; ignored while off. Not
    // stored: enable() brings back white.
    void setIntensity(float v);

    void setPosition(float x, float y, float z);  // w becomes 1
    void getPosition(float& x, float& y, float& z) const;
    // For a DirectionalLight: the direction towards the light.
    void setDirection(float x, float y, float z);
    void getDirection(float& x, float& y, float& z) const;

    int getSlot() const { return slot; }  // 0 ... 7
    bool isEnabled() const { return enabled; }

protected:
    // Throws FatalError("Too many lights!") when all eight slots are taken;
    // nothing is then held.
    Light();
    // Not virtual: each light is destroyed through its own class, which is
    // why the destructor is not public here.
    ~Light();

    GLenum glLight() const { return GL_LIGHT0 + slot; }

    int slot;
    float position[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    bool enabled = false;
    float direction[3] = {0.0f, 0.0f, -1.0f};
};
