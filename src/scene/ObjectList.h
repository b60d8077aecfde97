#pragma once
// A run of the world's objects, borrowed, in the order they are drawn.
#include <cstddef>

class Object;

struct ObjectList {
    const Object* const* first = nullptr;
    size_t count = 0;
    const Object* const* begin() const { return first; }
    const Object* const* end() const { return first + count; }
};
