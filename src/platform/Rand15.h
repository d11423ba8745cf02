#pragma once
// The classic 15-bit linear congruence that the C library's unseeded rand()
// used, so that noise is the same on every platform and every run. Whoever
// owns the generator (the document, one command-line run) owns the sequence.

#include <cstdint>

class CRand15 {
public:
    static constexpr int kMax = 0x7fff;

    int Next() {
        m_seed = m_seed * 214013u + 2531011u;
        return static_cast<int>((m_seed >> 16) & 0x7fffu);
    }

private:
    std::uint32_t m_seed = 1;
};
