#pragma once
// The one exception type for errors the game cannot go on from (a missing
// asset, no free light slot, ...). It carries the text the player reads; the
// entry points print it on one line of standard error and exit with status
// 1. A detail, when there is one, says why on the line after it: the reason
// a picture was refused, the sizes that did not match.
#include <stdexcept>
#include <string>

class FatalError : public std::runtime_error {
public:
    explicit FatalError(const std::string& message, const std::string& detail = "")
        : std::runtime_error(message), detail_(detail) {}
    const std::string& detail() const { return detail_; }

private:
    std::string detail_;
};
