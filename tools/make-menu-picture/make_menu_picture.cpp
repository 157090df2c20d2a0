// Draws the in-window game menu's picture: a 256 x 512 PNG whose top 32 rows are an opaque
// black strip with a white three-bar menu symbol in its first 36 x 32 pixels and the words
// "Game menu", and whose rest is black at opacity 204, so the device shows dimly through.
//   make-menu-picture OUT.png
#include <array>
#include <cstdio>
#include <string_view>

#include <QImage>

namespace {

// A 5 x 7 pixel font for the letters the caption needs, drawn at twice the size.
struct Glyph {
    char c;
    std::array<const char*, 7> rows;
};
constexpr Glyph kGlyphs[] = {
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
    {'m', {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}},
    {'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
    {'n', {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
    {'u', {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"}},
};

void fill(QImage& image, int x, int y, int w, int h, QRgb colour) {
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            image.setPixel(i, j, colour);
        }
    }
}

void drawText(QImage& image, int x, int y, std::string_view text) {
    constexpr int scale = 2;
    for (char c : text) {
        for (const Glyph& g : kGlyphs) {
            if (g.c != c) {
                continue;
            }
            for (int row = 0; row < 7; ++row) {
                for (int col = 0; col < 5; ++col) {
                    if (g.rows[row][col] == '#') {
                        fill(image, x + col * scale, y + row * scale, scale, scale,
                             qRgb(255, 255, 255));
                    }
                }
            }
        }
        x += 6 * scale;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make-menu-picture OUT.png\n", stderr);
        return 2;
    }
    QImage image(256, 512, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 0, 204));
    fill(image, 0, 0, 256, 32, qRgba(0, 0, 0, 255));
    for (int bar = 0; bar < 3; ++bar) {
        fill(image, 8, 8 + bar * 6, 20, 3, qRgb(255, 255, 255));
    }
    drawText(image, 40, 9, "Game menu");
    if (!image.save(argv[1], "PNG")) {
        std::fprintf(stderr, "make-menu-picture: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
