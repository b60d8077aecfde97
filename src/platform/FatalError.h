#pragma once
// The one exception type for errors the game cannot go on from (a missing
// asset, no free light slot, ...). It carries the text the player reads; the
// entry points print it on one line and exit with status 1.
#include <stdexcept>
#include <string>

class FatalError : public std::runtime_error {
public:
    explicit FatalError(const std::string& message) : std::runtime_error(message) {}
};
