#pragma once
// The largest single request made through operator new while a probe is
// alive, so tests can show that a hostile header causes no big allocation.

#include <cstddef>

class CAllocationProbe {
public:
    CAllocationProbe();
    ~CAllocationProbe();
    CAllocationProbe(const CAllocationProbe&) = delete;
    CAllocationProbe& operator=(const CAllocationProbe&) = delete;
    std::size_t Largest() const;
};
