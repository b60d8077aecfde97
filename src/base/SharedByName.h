#pragma once
// Things shared by name: the first holder of a name makes the thing, every
// further holder shares it, and the last one to let go destroys it. The
// thing's own destructor gives back what it acquired (a GL texture and its
// pixels, a model's display lists), so the only bookkeeping here is the
// number of holders per name. The texture cache and the model cache are
// both one of these.
//
// A cache must outlive every Hold on it; the game's caches live for the
// whole process. No lock: the game has one thread.
#include <cassert>
#include <cstddef>
#include <map>
#include <string>
#include <utility>

template <class Thing>
class SharedByName {
    struct Entry {
        template <class... Args>
        explicit Entry(Args&&... args) : thing(std::forward<Args>(args)...) {}
        Thing thing;
        int holders = 1;
    };
    using Entries = std::map<std::string, Entry>;

public:
    // One holder's share of a named thing, or nothing. Moving hands the
    // share on; reset or destruction gives it up.
    class Hold {
    public:
        Hold() = default;
        Hold(Hold&& other) noexcept
            : cache(std::exchange(other.cache, nullptr)), entry(other.entry) {}
        Hold& operator=(Hold&& other) noexcept {
            if (this != &other) {
                reset();
                cache = std::exchange(other.cache, nullptr);
                entry = other.entry;
            }
            return *this;
        }
        ~Hold() { reset(); }

        // Gives up the share; the last one destroys the thing and forgets
        // its name, so the next holder of the name makes it afresh.
        void reset() {
            if (!cache) return;
            SharedByName* owner = std::exchange(cache, nullptr);
            if (--entry->second.holders == 0) owner->entries.erase(entry);
        }

        explicit operator bool() const { return cache != nullptr; }
        Thing* operator->() const { return &entry->second.thing; }

    private:
        friend class SharedByName;
        Hold(SharedByName* cache, typename Entries::iterator entry) : cache(cache), entry(entry) {}

        SharedByName* cache = nullptr;  // null when holding nothing
        typename Entries::iterator entry{};
    };

    // A further share of the thing held under name; an empty Hold when no
    // one holds that name.
    Hold share(const std::string& name) {
        auto found = entries.find(name);
        if (found == entries.end()) return {};
        ++found->second.holders;
        return Hold(this, found);
    }

    // Makes Thing(args...) for a name no one holds and returns its first
    // share. When the constructor throws, nothing is entered.
    template <class... Args>
    Hold add(const std::string& name, Args&&... args) {
        auto [entry, made] = entries.try_emplace(name, std::forward<Args>(args)...);
        assert(made && "add is for names no one holds; share the others");
        (void)made;
        return Hold(this, entry);
    }

    // Holders of name (0 when none).
    int holderCount(const std::string& name) const {
        auto found = entries.find(name);
        return found == entries.end() ? 0 : found->second.holders;
    }
    // Names currently held.
    std::size_t size() const { return entries.size(); }

private:
    Entries entries;
};
