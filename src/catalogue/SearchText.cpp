#include "catalogue/SearchText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillomat {

bool containsBytes(QByteArrayView haystack, QByteArrayView needle)
{
    const char* h = haystack.data();
    const auto n = std::size_t(haystack.size());
    const char* k = needle.data();
    const auto m = std::size_t(needle.size());
    if (m == 0)
        return true;
    if (m > n)
        return false;
    if (m == 1)
        return std::memchr(h, k[0], n) != nullptr;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen positions at a time, keeping those where both the first and the last byte of
    // the needle match; only they are compared in full. Much faster than memmem on text.
    const __m128i first = _mm_set1_epi8(k[0]);
    const __m128i last = _mm_set1_epi8(k[m - 1]);
    for (; i + m - 1 + 16 <= n; i += 16) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i));
        const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i + m - 1));
        auto candidates = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(atFirst, first), _mm_cmpeq_epi8(atLast, last))));
        while (candidates) {
            const int offset = __builtin_ctz(candidates);
            if (std::memcmp(h + i + offset + 1, k + 1, m - 2) == 0)
                return true;
            candidates &= candidates - 1;
        }
    }
#endif
    // The rest (all of it without SSE2) in the standard way, which every system has.
    return n - i >= m &&
           std::string_view(h + i, n - i).find(std::string_view(k, m)) != std::string_view::npos;
}

} // namespace quillomat
