#pragma once
// splitmix64: the same generated cases on every platform and every run.
#include <cstddef>
#include <cstdint>

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    size_t Below(size_t bound) { return static_cast<size_t>(Next() % bound); }
    bool OneIn(size_t n) { return Below(n) == 0; }

private:
    uint64_t state_;
};
