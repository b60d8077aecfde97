#pragma once
// A name a resource got from GL when it was first drawn or bound (a texture, a
// display list, a buffer), held together with the function that deletes it.
// The resources read their files and work out their data without GL; the code
// that uploads them lives in files of its own and hands its deleter over with
// the name. A resource that was never drawn holds no name and no deleter, so
// its destructor reaches no GL function, and a program that never draws
// links none.
#include <utility>

class UploadedName {
public:
    using Deleter = void (*)(unsigned name);

    UploadedName() = default;
    UploadedName(unsigned name, Deleter deleter) : name(name), deleter(deleter) {}
    UploadedName(UploadedName&& other) noexcept
        : name(std::exchange(other.name, 0u)), deleter(std::exchange(other.deleter, nullptr)) {}
    UploadedName& operator=(UploadedName&& other) noexcept {
        if (this != &other) {
            reset();
            name = std::exchange(other.name, 0u);
            deleter = std::exchange(other.deleter, nullptr);
        }
        return *this;
    }
    ~UploadedName() { reset(); }

    // Deletes the name, when there is one, and holds none.
    void reset() {
        if (deleter) deleter(name);
        name = 0;
        deleter = nullptr;
    }

    unsigned get() const { return name; }  // 0 before the upload
    explicit operator bool() const { return deleter != nullptr; }

private:
    unsigned name = 0;
    Deleter deleter = nullptr;
};
