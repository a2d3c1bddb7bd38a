// Writes the picture "BACK" that the program carries: a 640x480, 24-bit,
// uncompressed device-independent bitmap (40-byte header, bottom row first,
// two zero bytes at the end; 921,642 bytes).
//
// The picture is drawn here, deterministically, to show what 16-bit pixels
// do with it: a dusk sky and its reflection (long smooth gradients, where the
// 5- and 6-bit channels step), a glowing sun, a colour wheel (every hue and
// saturation), hard-edged mountains, a star and single-pixel stars (sharp
// shapes), and a calibration strip of grey, red, green and blue ramps over
// colour bars with one-pixel checkerboards.
//
// Usage: make_back [--file] OUTPUT
//   --file  put a bitmap file header in front (a file that can be opened as
//           "BACK" in the working directory or by any image viewer).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kHorizon = 300;
constexpr int kStripTop = 360;
constexpr double kPi = 3.14159265358979323846;

struct Color {
    double r, g, b;
};

Color Mix(Color a, Color b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Color Scale(Color c, double k) { return {c.r * k, c.g * k, c.b * k}; }
Color Add(Color a, Color b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

class Canvas {
public:
    Canvas() : pixels_(kWidth * kHeight) {}
    Color& At(int x, int y) { return pixels_[static_cast<size_t>(y) * kWidth + x]; }

    // Rows bottom first, blue-green-red, each channel rounded and clamped.
    std::vector<uint8_t> Rows() const {
        std::vector<uint8_t> out;
        out.reserve(kWidth * kHeight * 3);
        const auto byte = [](double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); };
        for (int y = kHeight - 1; y >= 0; --y)
            for (int x = 0; x < kWidth; ++x) {
                const Color& c = pixels_[static_cast<size_t>(y) * kWidth + x];
                out.push_back(byte(c.b));
                out.push_back(byte(c.g));
                out.push_back(byte(c.r));
            }
        return out;
    }

private:
    std::vector<Color> pixels_;
};

// The sky from deep night at the top through violet to the orange horizon.
Color SkyAt(double y) {
    const Color night{10, 14, 58}, violet{118, 58, 138}, dusk{252, 148, 66};
    const double t = y / kHorizon;
    return t < 0.6 ? Mix(night, violet, t / 0.6) : Mix(violet, dusk, (t - 0.6) / 0.4);
}

// A symmetric triangle wave of period 1 between 0 and 1: sharp ridges.
double Triangle(double t) {
    t -= std::floor(t);
    return 1.0 - std::fabs(2.0 * t - 1.0);
}

double FarRidge(int x) { return 236 - 38 * Triangle(x / 173.0 + 0.2) - 22 * Triangle(x / 61.0 + 0.5); }
double NearRidge(int x) { return 268 - 30 * Triangle(x / 121.0 + 0.7) - 12 * Triangle(x / 37.0); }

// HSV with value 1 to RGB, hue in turns.
Color Hue(double h, double s) {
    const double h6 = (h - std::floor(h)) * 6.0;
    const double f = h6 - std::floor(h6);
    const double p = 255 * (1 - s), q = 255 * (1 - s * f), t = 255 * (1 - s * (1 - f));
    switch (static_cast<int>(h6) % 6) {
    case 0: return {255, t, p};
    case 1: return {q, 255, p};
    case 2: return {p, 255, t};
    case 3: return {p, q, 255};
    case 4: return {t, p, 255};
    default: return {255, p, q};
    }
}

void DrawSky(Canvas& c) {
    const double sunX = 470, sunY = 238, sunR = 44;
    for (int y = 0; y < kHorizon; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double d = std::hypot(x - sunX, y - sunY);
            Color sky = SkyAt(y);
            if (d <= sunR) {
                sky = {255, 238, 176};
            } else {
                const double glow = 0.55 * std::exp(-(d - sunR) / 70.0);
                sky = Mix(sky, {255, 206, 120}, glow);
            }
            c.At(x, y) = sky;
        }
    // Stars: single pixels from a fixed pseudo-random sequence, in the dark
    // upper sky only.
    uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int i = 0; i < 90; ++i) {
        const int x = static_cast<int>(next() % kWidth);
        const int y = static_cast<int>(next() % 150);
        const double bright = 150 + next() % 106;
        c.At(x, y) = {bright, bright, std::min(255.0, bright + 30)};
    }
}

void DrawMountains(Canvas& c) {
    for (int x = 0; x < kWidth; ++x) {
        for (int y = static_cast<int>(std::ceil(FarRidge(x))); y < kHorizon; ++y)
            c.At(x, y) = Mix({92, 52, 112}, {60, 34, 84}, (y - 190.0) / 110.0);
        for (int y = static_cast<int>(std::ceil(NearRidge(x))); y < kHorizon; ++y)
            c.At(x, y) = Mix({38, 22, 56}, {20, 12, 34}, (y - 230.0) / 70.0);
    }
}

// The water mirrors the sky and the hills, darker, with bright ripple lines
// and the sun's broken path.
void DrawWater(Canvas& c) {
    for (int y = kHorizon; y < kStripTop; ++y) {
        const int mirrored = 2 * kHorizon - 1 - y;
        for (int x = 0; x < kWidth; ++x) {
            Color w = Scale(c.At(x, mirrored), 0.72);
            w = Add(w, {0, 6, 18});
            const int depth = y - kHorizon;
            if (depth % 7 == 3) w = Mix(w, {255, 220, 170}, 0.18);
            const double halfPath = (10 + depth * 0.8) * (0.55 + 0.45 * std::sin(depth * 1.7));
            if (depth % 3 != 2 && std::fabs(x - 470.0) < halfPath) w = Mix(w, {255, 232, 170}, 0.8 - depth / 100.0);
            c.At(x, y) = w;
        }
    }
}

// Every hue around, saturation growing outwards, in a black ring.
void DrawColorWheel(Canvas& c) {
    const double cx = 104, cy = 112, radius = 78;
    for (int y = 0; y < kHorizon; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            if (d <= radius) c.At(x, y) = Hue(std::atan2(y - cy, x - cx) / (2 * kPi), d / radius);
            else if (d <= radius + 3) c.At(x, y) = {0, 0, 0};
        }
}

// A five-pointed star with a one-pixel dark edge, filled with a diagonal
// gold gradient.
void DrawStar(Canvas& c) {
    const double cx = 290, cy = 104, outer = 62, inner = 25;
    double px[10], py[10];
    for (int i = 0; i < 10; ++i) {
        const double a = -kPi / 2 + i * kPi / 5;
        const double r = i % 2 ? inner : outer;
        px[i] = cx + r * std::cos(a);
        py[i] = cy + r * std::sin(a);
    }
    const auto inside = [&](double x, double y) {
        bool in = false;
        for (int i = 0, j = 9; i < 10; j = i++)
            if ((py[i] > y) != (py[j] > y) && x < (px[j] - px[i]) * (y - py[i]) / (py[j] - py[i]) + px[i]) in = !in;
        return in;
    };
    for (int y = 30; y < 180; ++y)
        for (int x = 210; x < 370; ++x) {
            if (!inside(x + 0.5, y + 0.5)) continue;
            const bool edge = !inside(x - 0.5, y + 0.5) || !inside(x + 1.5, y + 0.5) || !inside(x + 0.5, y - 0.5) ||
                              !inside(x + 0.5, y + 1.5);
            const double t = ((x - 228) + (y - 42)) / 248.0;
            c.At(x, y) = edge ? Color{70, 30, 0} : Mix({255, 244, 140}, {214, 120, 10}, t);
        }
}

// Ramps of grey, red, green and blue from 0 to 255 across the width, over a
// row of colour bars that each hold a one-pixel checkerboard.
void DrawStrip(Canvas& c) {
    const Color ramps[] = {{1, 1, 1}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int band = 0; band < 4; ++band)
        for (int y = kStripTop + 24 * band; y < kStripTop + 24 * (band + 1); ++y)
            for (int x = 0; x < kWidth; ++x)
                c.At(x, y) = y % 24 == 0 ? Color{0, 0, 0} : Scale(ramps[band], x * 255.0 / (kWidth - 1));
    const Color bars[] = {{0, 0, 0},   {0, 0, 255},   {255, 0, 0},   {255, 0, 255},
                          {0, 255, 0}, {0, 255, 255}, {255, 255, 0}, {255, 255, 255}};
    for (int y = kStripTop + 96; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const Color bar = bars[x / 80];
            const int bx = x % 80, by = y - (kStripTop + 96);
            const bool checker = bx >= 24 && bx < 56 && by >= 6 && by < 18 && (bx + by) % 2 == 0;
            c.At(x, y) = checker ? Color{255 - bar.r, 255 - bar.g, 255 - bar.b} : bar;
        }
    for (int x = 0; x < kWidth; ++x) c.At(x, kStripTop) = {255, 255, 255};
}

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

} // namespace

int main(int argc, char** argv) {
    const bool withFileHeader = argc == 3 && std::strcmp(argv[1], "--file") == 0;
    if (argc != 2 && !withFileHeader) {
        std::fprintf(stderr, "usage: %s [--file] OUTPUT\n", argv[0]);
        return 2;
    }
    const char* path = argv[argc - 1];

    Canvas canvas;
    DrawSky(canvas);
    DrawMountains(canvas);
    DrawWater(canvas);
    DrawColorWheel(canvas);
    DrawStar(canvas);
    DrawStrip(canvas);
    const std::vector<uint8_t> rows = canvas.Rows(); // 1920 bytes a row: no filler needed

    std::vector<uint8_t> out;
    const uint32_t dibSize = 40 + static_cast<uint32_t>(rows.size()) + 2;
    if (withFileHeader) {
        out.push_back('B');
        out.push_back('M');
        Put(out, 14 + dibSize, 4);
        Put(out, 0, 4);
        Put(out, 14 + 40, 4);
    }
    Put(out, 40, 4);      // header size
    Put(out, kWidth, 4);  // width
    Put(out, kHeight, 4); // height, positive: bottom row first
    Put(out, 1, 2);       // planes
    Put(out, 24, 2);      // bits a pixel
    Put(out, 0, 4);       // uncompressed
    Put(out, 0, 4);       // image size (0 is allowed when uncompressed)
    Put(out, 2834, 4);    // 72 dots an inch, both ways
    Put(out, 2834, 4);
    Put(out, 0, 4); // colours used
    Put(out, 0, 4); // colours important
    out.insert(out.end(), rows.begin(), rows.end());
    out.push_back(0);
    out.push_back(0);

    std::FILE* f = std::fopen(path, "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "make_back: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
