#include "models/RowFill.h"

#include <algorithm>
#include <cstddef>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define TALEWICK_VECTOR_FILL 1
#endif

#include "models/PixelMath.h"

namespace RowFill {
namespace {

bool g_vectorUnitAllowed = true;

// Paints columns [from, to) of the row, pixel by pixel; the same bytes as PaintPixel with
// alpha 1.0: the swatch colour shaded by the light level. The row's fields are copied to
// locals first: byte stores to the canvas may alias anything, so the compiler would reload
// them at every pixel.
int PaintRowPlain(const Row& row, int from, int to) {
    BYTE* const canvas = row.canvas;
    const std::ptrdiff_t step = row.canvasStep;
    const WORD* const coordinates = row.coordinates;
    const BYTE* const lightLevels = row.light;
    const BYTE* const footprints = row.levels;
    const DWORD* const swatch = row.swatch;
    int* const changedTop = row.changedTop;
    int* const changedBottom = row.changedBottom;
    const int firstColumn = row.firstColumn;
    const int y = row.y;
    int painted = 0;
    for (int x = from; x < to; ++x) {
        const DWORD texel = swatch[coordinates[x] + footprints[x] * kLevelEntries];
        if ((texel & kOutsideSwatch) != 0) continue;
        const int light = lightLevels[x];
        BYTE* pixel = canvas + x * step;
        pixel[0] = PixelMath::Shade(static_cast<BYTE>(texel), light);
        pixel[1] = PixelMath::Shade(static_cast<BYTE>(texel >> 8), light);
        pixel[2] = PixelMath::Shade(static_cast<BYTE>(texel >> 16), light);
        const int column = x - firstColumn;
        changedTop[column] = std::min(changedTop[column], y);
        changedBottom[column] = y + 1;
        ++painted;
    }
    return painted;
}

#ifdef TALEWICK_VECTOR_FILL
// Eight pixels at a time from `from` while all eight coordinates of a group lie inside the
// swatch: gathers the swatch colours at coordinate + level × kLevelEntries, multiplies each byte by
// its pixel's light level in 16-bit lanes (255 × 255 fits, so (T × L) >> 8 is exact), packs the
// 4-byte results to 3-byte pixels and stores exactly 24 bytes. Returns where it stopped: fewer than
// eight pixels left, or a group with a coordinate outside the swatch. Needs 3-byte canvas pixels.
__attribute__((target("avx2"))) int PaintGroups(const Row& row, int from, int to, int& painted) {
    const __m256i outside = _mm256_set1_epi32(static_cast<int>(kOutsideSwatch));
    const __m256i blueRedBytes = _mm256_set1_epi32(0x00FF00FF);
    const __m256i greenByte = _mm256_set1_epi32(0x0000FF00);
    const __m256i packLanes =
        _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4, 5, 6,
                         8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i joinLanes = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    const __m256i thisRow = _mm256_set1_epi32(row.y);
    const __m256i nextRow = _mm256_set1_epi32(row.y + 1);
    const int* swatch = reinterpret_cast<const int*>(row.swatch);
    const WORD* coordinates = row.coordinates;
    const BYTE* lightLevels = row.light;
    const BYTE* footprints = row.levels;
    BYTE* canvas = row.canvas;
    int* changedTop = row.changedTop;
    int* changedBottom = row.changedBottom;
    const int firstColumn = row.firstColumn;
    int x = from;
    for (; x + 8 <= to; x += 8) {
        const __m256i coordinate = _mm256_cvtepu16_epi32(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(coordinates + x)));
        const __m256i footprint =
            _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(footprints + x)));
        static_assert(kLevelEntries == 1 << 16);
        const __m256i index = _mm256_add_epi32(coordinate, _mm256_slli_epi32(footprint, 16));
        const __m256i texel = _mm256_i32gather_epi32(swatch, index, 4);
        if (!_mm256_testz_si256(texel, outside)) break;
        const __m256i level = _mm256_cvtepu8_epi32(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lightLevels + x)));
        const __m256i light = _mm256_or_si256(level, _mm256_slli_epi32(level, 16));
        const __m256i blueRed =
            _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_and_si256(texel, blueRedBytes), light), 8);
        const __m256i green =
            _mm256_and_si256(_mm256_mullo_epi16(_mm256_srli_epi16(texel, 8), light), greenByte);
        const __m256i packed = _mm256_permutevar8x32_epi32(
            _mm256_shuffle_epi8(_mm256_or_si256(blueRed, green), packLanes), joinLanes);
        BYTE* pixel = canvas + static_cast<std::ptrdiff_t>(x) * 3;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixel), _mm256_castsi256_si128(packed));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(pixel + 16),
                         _mm256_extracti128_si256(packed, 1));
        auto* top = reinterpret_cast<__m256i*>(changedTop + (x - firstColumn));
        _mm256_storeu_si256(top, _mm256_min_epi32(_mm256_loadu_si256(top), thisRow));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(changedBottom + (x - firstColumn)), nextRow);
    }
    painted += x - from;
    return x;
}

// Groups of eight through the vector unit; a group reaching outside the swatch, and the
// last few pixels, through the plain loop.
int PaintRowVector(const Row& row, int from, int to) {
    int painted = 0;
    int x = PaintGroups(row, from, to, painted);
    while (to - x >= 8) {
        painted += PaintRowPlain(row, x, x + 8);
        x = PaintGroups(row, x + 8, to, painted);
    }
    return painted + PaintRowPlain(row, x, to);
}

bool VectorUnitPresent() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}
#endif

}  // namespace

Painter ChoosePainter([[maybe_unused]] int canvasStep) {
#ifdef TALEWICK_VECTOR_FILL
    static const bool present = VectorUnitPresent();
    if (present && g_vectorUnitAllowed && canvasStep == 3) return &PaintRowVector;
#endif
    return &PaintRowPlain;
}

void AllowVectorUnit(bool allowed) {
    g_vectorUnitAllowed = allowed;
}

}  // namespace RowFill
