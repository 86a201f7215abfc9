#pragma once
// Finding the field and line ends of the log a vector at a time. memchr is that fast in the
// Linux C library but a loop over single bytes in the Windows runtime the program links; this
// is the same on both.
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The first byte in [p, end) that is a or b, or end.
inline const char* FindEitherByte(const char* p, const char* end, char a, char b) {
#if defined(__SSE2__)
    const __m128i wantA = _mm_set1_epi8(a);
    const __m128i wantB = _mm_set1_epi8(b);
    for (; end - p >= 16; p += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int hits = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(chunk, wantA), _mm_cmpeq_epi8(chunk, wantB)));
        if (hits != 0) {
            return p + __builtin_ctz(static_cast<unsigned>(hits));
        }
    }
#endif
    for (; p < end; ++p) {
        if (*p == a || *p == b) {
            return p;
        }
    }
    return end;
}

// The first byte c in [p, end), or end.
inline const char* FindByte(const char* p, const char* end, char c) {
    return FindEitherByte(p, end, c, c);
}
