#pragma once
// Row loops that the compiler vectorises are also built for AVX2 where GCC
// can choose between builds when the program starts (x86-64 ELF systems):
// the same arithmetic in twice as many lanes. Elsewhere, and in sanitizer
// builds, the one portable build is used.

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__) && \
    !defined(__SANITIZE_ADDRESS__)
#define KELVRA_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define KELVRA_VECTOR_CLONES
#endif
