// The suite's button glyphs, 16 x 16 pixels each, drawn as pixel art. The colour of the
// bottom-left pixel (the background) is the transparent colour.
#include <vondrel/Vorlen.h>

#include <cstddef>

namespace {

constexpr int kSize = 16;
constexpr uint32_t kBackground = 0xFF00FF; // fuchsia

uint32_t Colour(char c) {
    switch (c) {
    case 'k':
        return 0x000000; // black
    case 'w':
        return 0xFFFFFF; // white
    case 'g':
        return 0x808080; // grey
    case 's':
        return 0xC0C0C0; // silver
    case 'b':
        return 0x800000; // navy
    case 'B':
        return 0xFF0000; // blue
    case 'y':
        return 0x00FFFF; // yellow
    case 'o':
        return 0x008080; // olive
    case 'r':
        return 0x0000FF; // red
    case 'G':
        return 0x008000; // green
    default:
        return kBackground;
    }
}

using Art = const char* [kSize];

// 1 new, 2 open, 3 save, 4 delete, 5 ok, 6 cancel, 7 help, 8 lookup, 9 calendar,
// 10 prior, 11 next, 12 print.
const Art kGlyphs[] = {
    {"................", "...kkkkkkk......", "...kwwwwwkk.....", "...kwwwwwkwk....", "...kwwwwwkkkk...",
     "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...",
     "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kkkkkkkkkk...", "................",
     "................"},
    {"................", "................", "..kkkk..........", ".kyyyyk.........", ".kyyyyykkkkkk...",
     ".kyyyyyyyyyyk...", ".kyykkkkkkkkkkk.", ".kyykoooooooook.", ".kyk.ooooooook..", ".kykooooooooook.",
     ".kkooooooooook..", ".kkkkkkkkkkkk...", "................", "................", "................",
     "................"},
    {"................", ".kkkkkkkkkkkkkk.", ".kbkwwwwwwwwkbk.", ".kbkwwwwwwwwkbk.", ".kbkwwwwwwwwkbk.",
     ".kbkwwwwwwwwkbk.", ".kbbkkkkkkkkbbk.", ".kbbbbbbbbbbbbk.", ".kbbkkkkkkkbbbk.", ".kbbkssskkkbbbk.",
     ".kbbkssskkkbbbk.", ".kbbkssskkkbbbk.", "..kkkkkkkkkkkkk.", "................", "................",
     "................"},
    {"................", "................", "..rr.......rr...", "..rrr.....rrr...", "...rrr...rrr....",
     "....rrr.rrr.....", ".....rrrrr......", "......rrr.......", ".....rrrrr......", "....rrr.rrr.....",
     "...rrr...rrr....", "..rrr.....rrr...", "..rr.......rr...", "................", "................",
     "................"},
    {"................", "................", "............GG..", "...........GGG..", "..........GGG...",
     ".........GGG....", "..GG....GGG.....", "..GGG..GGG......", "...GGGGGG.......", "....GGGG........",
     ".....GG.........", "................", "................", "................", "................",
     "................"},
    {"................", ".....rrrrrr.....", "...rrrrrrrrrr...", "..rrwwrrrrwwrr..", "..rrwwwrrwwwrr..",
     ".rrrrwwwwwwrrrr.", ".rrrrrwwwwrrrrr.", ".rrrrrwwwwrrrrr.", ".rrrrwwwwwwrrrr.", "..rrwwwrrwwwrr..",
     "..rrwwrrrrwwrr..", "...rrrrrrrrrr...", ".....rrrrrr.....", "................", "................",
     "................"},
    {"................", "......kkkk......", "....kkBBBBkk....", "...kBBwwwwBBk...", "...kBwBBBBwBk...",
     "...kBBBBBBwBk...", "....kBBBBwBk....", "......BBwBk.....", "......BwBk......", "......BwBk......",
     "................", "......BwBk......", "......BBBk......", "................", "................",
     "................"},
    {"................", "................", "....kkkk........", "...kwwwwk.......", "..kwwsswwk......",
     "..kwswwswk......", "..kwswwswk......", "..kwwsswwk......", "...kwwwwkk......", "....kkkkkgk.....",
     ".........kgk....", "..........kgk...", "...........kgk..", "............kk..", "................",
     "................"},
    {"................", ".kkkkkkkkkkkkkk.", ".krrrrrrrrrrrrk.", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.",
     ".kwkwkwkwkwkwwk.", ".kwwwwwwwwwwwwk.", ".kwkwkwkwkwkwwk.", ".kwwwwwwwwwwwwk.", ".kwkwkwkwkwrrwk.",
     ".kwwwwwwwwwrrwk.", ".kwkwkwkwkwkwwk.", ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................",
     "................"},
    {"................", "................", ".........k......", "........kk......", ".......kBk......",
     "......kBBkkkkkk.", ".....kBBBBBBBBk.", "....kBBBBBBBBBk.", ".....kBBBBBBBBk.", "......kBBkkkkkk.",
     ".......kBk......", "........kk......", ".........k......", "................", "................",
     "................"},
    {"................", "................", "......k.........", "......kk........", "......kBk.......",
     ".kkkkkkBBk......", ".kBBBBBBBBk.....", ".kBBBBBBBBBk....", ".kBBBBBBBBk.....", ".kkkkkkBBk......",
     "......kBk.......", "......kk........", "......k.........", "................", "................",
     "................"},
    {"................", "....kkkkkkkk....", "....kwwwwwwk....", "....kwkkkkwk....", "....kwwwwwwk....",
     ".kkkkkkkkkkkkkk.", "kssssssssssssssk", "kssssssssssGGssk", "kssssssssssssssk", "kkkkkkkkkkkkkkkk",
     "kssskwwwwwwksssk", ".kkkkwkkkkwkkkk.", "....kwwwwwwk....", "....kkkkkkkk....", "................",
     "................"},
};

constexpr int kCount = static_cast<int>(sizeof kGlyphs / sizeof kGlyphs[0]);

} // namespace

extern "C" int32_t GetMaxBmpID(void) {
    return kCount;
}

extern "C" int32_t LoadBmp(VorlenBitmap* bitmap, int32_t number) {
    if (!bitmap || number < 1 || number > kCount)
        return 0;
    bitmap->Width = kSize;
    bitmap->Height = kSize;
    bitmap->TransparentColor = kBackground;
    if (!bitmap->Pixels || bitmap->Capacity < kSize * kSize)
        return 0;
    const Art& art = kGlyphs[number - 1];
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            bitmap->Pixels[static_cast<std::size_t>(y) * kSize + x] = Colour(art[y][x]);
    return 1;
}
