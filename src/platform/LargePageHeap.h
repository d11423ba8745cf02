#pragma once
// Large blocks in large pages. Where every first touch of a 4 KiB page is
// costly (a virtual machine may take tens of microseconds a page), a
// program that reads a product and makes a picture of it spends more time
// in page faults than in its work. This sets the C library's heap to hand
// out blocks of up to 32 MiB from a reserve the system backs with 2 MiB
// pages, so such a program takes a few faults instead of thousands.
// Linux with glibc only, and not under a sanitizer; elsewhere it does
// nothing.

#include <cstddef>

// Reserves bytes of heap for large pages; call once at start-up, before the
// large blocks are made. Returns false when nothing was reserved.
bool ReserveLargePageHeap(std::size_t bytes);
