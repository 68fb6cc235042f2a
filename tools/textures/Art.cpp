#include "Art.h"

#include "TextPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace Halcyra::Textures {

namespace {

constexpr int W = Art::OverlayWidth;
constexpr int H = Art::OverlayHeight;

// Deterministic, so every build draws the same pictures.
struct Random {
    std::uint32_t state;
    explicit Random(std::uint32_t seed) : state(seed * 2654435761u + 1u) {}
    float Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state & 0xFFFFFF) / static_cast<float>(0x1000000);
    }
};

float Smooth(float e0, float e1, float x) {
    const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Largest size (in steps of 2 px) at which text fits width.
int FitSize(TextPainter& painter, const std::string& text, float width, int largest, float trackingPerPixel = 0.0f) {
    int size = largest;
    while (size > 8 && painter.Measure(text, size, trackingPerPixel * static_cast<float>(size)) > width)
        size -= 2;
    return size;
}

// Anti-aliased thick segment.
void Stroke(Mask& mask, float x0, float y0, float x1, float y1, float halfWidth) {
    const int minX = std::max(0, static_cast<int>(std::min(x0, x1) - halfWidth - 2));
    const int maxX = std::min(mask.width - 1, static_cast<int>(std::max(x0, x1) + halfWidth + 2));
    const int minY = std::max(0, static_cast<int>(std::min(y0, y1) - halfWidth - 2));
    const int maxY = std::min(mask.height - 1, static_cast<int>(std::max(y0, y1) + halfWidth + 2));
    const float dx = x1 - x0, dy = y1 - y0;
    const float lengthSquared = std::max(dx * dx + dy * dy, 1e-6f);
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) {
            const float px = static_cast<float>(x) + 0.5f - x0, py = static_cast<float>(y) + 0.5f - y0;
            const float s = std::clamp((px * dx + py * dy) / lengthSquared, 0.0f, 1.0f);
            const float ex = px - s * dx, ey = py - s * dy;
            const float d = std::sqrt(ex * ex + ey * ey);
            const float v = std::clamp(halfWidth - d + 0.5f, 0.0f, 1.0f);
            mask.At(x, y) = std::max(mask.At(x, y), v);
        }
}

// Shadow for legibility over any background, a coloured halo, then the letters. A shadow
// spread `shadowSpread` times wider, as dense next to the letters, joins into a soft dark
// backing behind whole lines: the text holds when the scene or a flash turns white behind it.
void PaintText(Canvas& canvas, const Mask& text, float glowR, float glowG, float glowB, float glowStrength,
               int shadowRadius, bool gradient, int shadowSpread = 1, float shadowStrength = 0.72f) {
    Mask shadow = text;
    shadow.Blur(shadowRadius * shadowSpread);
    shadow.Scale(2.2f * static_cast<float>(shadowSpread));
    canvas.Over(shadow, 0.0f, 0.0f, 0.02f, shadowStrength);
    Mask glow = text;
    glow.Blur(shadowRadius * 3);
    glow.Scale(2.5f);
    canvas.Over(glow, glowR, glowG, glowB, glowStrength);
    if (!gradient) {
        canvas.Over(text, 1.0f, 1.0f, 1.0f, 1.0f);
        return;
    }
    canvas.OverShaded(text, 1.0f, [&](int, int y, float* c) {
        const float t = static_cast<float>(y) / static_cast<float>(canvas.height);
        const float warm = Smooth(0.35f, 0.62f, t);
        c[0] = 1.0f;
        c[1] = 1.0f - 0.16f * warm;
        c[2] = 1.0f - 0.42f * warm;
    });
}

// A horizontal light streak: a thin hot core in a wide soft halo, fading towards the sides.
Canvas Streak(float centreY, float r, float g, float b, float strength) {
    Canvas canvas(W, H);
    for (int y = 0; y < H; ++y) {
        const float dy = (static_cast<float>(y) + 0.5f - centreY) / static_cast<float>(H);
        const float core = std::exp(-dy * dy / (2.0f * 0.006f * 0.006f));
        const float band = std::exp(-dy * dy / (2.0f * 0.035f * 0.035f));
        const float halo = std::exp(-dy * dy / (2.0f * 0.11f * 0.11f));
        for (int x = 0; x < W; ++x) {
            const float dx = std::fabs((static_cast<float>(x) + 0.5f) / static_cast<float>(W) - 0.5f) * 2.0f;
            const float along = std::pow(std::max(0.0f, 1.0f - dx), 1.6f);
            const float alongWide = std::pow(std::max(0.0f, 1.0f - dx), 0.8f);
            const float intensity = strength * (0.9f * core * alongWide + 0.55f * band * along + 0.28f * halo * along);
            const float a = std::clamp(intensity, 0.0f, 0.92f);
            const float hot = std::clamp(core * alongWide, 0.0f, 1.0f);
            float* p = canvas.At(x, y);
            p[0] = r + (1.0f - r) * hot;
            p[1] = g + (1.0f - g) * hot;
            p[2] = b + (1.0f - b) * hot;
            p[3] = a;
        }
    }
    return canvas;
}

struct CardLine {
    const char* text;
    bool bold;
    float sizeScale;
};

} // namespace

Canvas Art::Shapes() const {
    constexpr int Cell = 128;
    Canvas canvas(Cell * 4, Cell);
    for (int k = 0; k < 4; ++k)
        for (int y = 0; y < Cell; ++y)
            for (int x = 0; x < Cell; ++x) {
                // -1..1 across the cell; everything reaches zero before the cell edge.
                const float u = (static_cast<float>(x) + 0.5f) / Cell * 2.0f - 1.0f;
                const float v = (static_cast<float>(y) + 0.5f) / Cell * 2.0f - 1.0f;
                const float r = std::sqrt(u * u + v * v);
                const float edge = 1.0f - Smooth(0.82f, 0.98f, r);
                float i = 0.0f;
                if (k == 0) {
                    i = std::exp(-r * r * 9.0f) + 0.35f * std::exp(-r * r * 60.0f);
                } else if (k == 1) {
                    const float d = (r - 0.58f) / 0.07f;
                    i = 0.9f * std::exp(-d * d) + 0.25f * std::exp(-r * r * 14.0f);
                } else if (k == 2) {
                    const float beamX = std::exp(-v * v * 900.0f) * std::pow(std::max(0.0f, 1.0f - std::fabs(u)), 2.0f);
                    const float beamY = std::exp(-u * u * 900.0f) * std::pow(std::max(0.0f, 1.0f - std::fabs(v)), 2.0f);
                    const float du = (u - v) * 0.7071f, dv = (u + v) * 0.7071f;
                    const float diagonal = 0.35f * (std::exp(-du * du * 1600.0f) + std::exp(-dv * dv * 1600.0f)) *
                                           std::pow(std::max(0.0f, 1.0f - r * 1.6f), 2.0f);
                    i = beamX + beamY + diagonal + std::exp(-r * r * 40.0f);
                } else {
                    // Distance to a regular hexagon's outline (flat top), with a faint fill.
                    const float ax = std::fabs(u), ay = std::fabs(v);
                    const float hex = std::max(ax * 0.866025f + ay * 0.5f, ay);
                    const float d = (hex - 0.62f) / 0.045f;
                    i = std::exp(-d * d) + 0.12f * (1.0f - Smooth(0.55f, 0.64f, hex)) + 0.2f * std::exp(-d * d * 0.08f);
                }
                i = std::clamp(i * edge, 0.0f, 1.0f);
                float* p = canvas.At(k * Cell + x, y);
                p[0] = p[1] = p[2] = i;
                p[3] = i;
            }
    return canvas;
}

Canvas Art::Logo() const {
    Canvas canvas(W, H);
    TextPainter bold(Font("DejaVuSans-Bold.ttf"));
    TextPainter book(Font("DejaVuSans.ttf"));
    Mask text(W, H);
    const float centre = 0.5f * W;
    const std::string name = "BRIGHTMOOT";
    const int nameSize = FitSize(bold, name, 0.64f * W, 320, 0.12f);
    const float nameBaseline = 0.535f * H;
    bold.DrawCentred(text, name, nameSize, centre, nameBaseline, 0.12f * static_cast<float>(nameSize));

    const int yearSize = nameSize * 55 / 100;
    const float yearBaseline =
        nameBaseline + 0.95f * static_cast<float>(yearSize) + 0.1f * static_cast<float>(nameSize);
    const float yearTracking = 0.45f * static_cast<float>(yearSize);
    book.DrawCentred(text, "2008", yearSize, centre, yearBaseline, yearTracking);
    // Rules either side of the year.
    const float yearHalf = 0.5f * book.Measure("2008", yearSize, yearTracking);
    const float ruleY = yearBaseline - 0.36f * static_cast<float>(yearSize);
    const float ruleHalfWidth = std::max(2.0f, 0.035f * static_cast<float>(yearSize));
    Stroke(text, centre - 0.32f * W, ruleY, centre - yearHalf - 0.05f * W, ruleY, ruleHalfWidth);
    Stroke(text, centre + yearHalf + 0.05f * W, ruleY, centre + 0.32f * W, ruleY, ruleHalfWidth);

    const std::string tagline = "a demoparty  \xC2\xB7  15 \xE2\x80\x93 17 august  \xC2\xB7  harrowmere";
    const int tagSize = FitSize(book, tagline, 0.5f * W, nameSize * 30 / 100, 0.08f);
    book.DrawCentred(text, tagline, tagSize, centre, 0.535f * H - 1.02f * static_cast<float>(nameSize),
                     0.08f * static_cast<float>(tagSize));
    PaintText(canvas, text, 1.0f, 0.55f, 0.2f, 0.55f, nameSize / 22, true);
    return canvas;
}

Canvas Art::LogoStreak() const {
    // Centred on the name's letters.
    return Streak(0.485f * H, 1.0f, 0.52f, 0.18f, 1.0f);
}

Canvas Art::BlueStreak() const { return Streak(0.5f * H, 0.22f, 0.5f, 1.0f, 0.85f); }

Canvas Art::MakerLogo() const {
    // Light on black: drawn additively, zooming in from half size.
    Canvas canvas(W, H);
    canvas.Fill(0.0f, 0.0f, 0.0f, 1.0f);
    Mask emblem(W, H);
    const float cx = 0.5f * W;
    const float top = 0.25f * H, tip = 0.49f * H;
    const float span = 0.12f * W;
    // A chevron with an arrow shaft: the maker's mark.
    const float lineHalf = 0.008f * W;
    Stroke(emblem, cx - span, top, cx, tip, lineHalf);
    Stroke(emblem, cx + span, top, cx, tip, lineHalf);
    Stroke(emblem, cx - 0.55f * span, top, cx, tip - 0.18f * (tip - top), 0.45f * lineHalf);
    Stroke(emblem, cx + 0.55f * span, top, cx, tip - 0.18f * (tip - top), 0.45f * lineHalf);
    Stroke(emblem, cx, top - 0.06f * H, cx, tip - 0.3f * (tip - top), 0.35f * lineHalf);

    Mask text(W, H);
    TextPainter bold(Font("DejaVuSans-Bold.ttf"));
    TextPainter book(Font("DejaVuSans.ttf"));
    const int nameSize = FitSize(bold, "VARROW", 0.42f * W, 220, 0.35f);
    bold.DrawCentred(text, "VARROW", nameSize, cx, 0.64f * H, 0.35f * static_cast<float>(nameSize));
    const int presentsSize = nameSize * 32 / 100;
    book.DrawCentred(text, "presents", presentsSize, cx, 0.64f * H + 1.0f * static_cast<float>(nameSize),
                     0.5f * static_cast<float>(presentsSize));

    Mask all = emblem;
    for (size_t i = 0; i < all.values.size(); ++i)
        all.values[i] = std::max(all.values[i], text.values[i]);
    Mask wide = all;
    wide.Blur(W / 60);
    wide.Scale(1.4f);
    Mask tight = all;
    tight.Blur(W / 400);
    canvas.AddLight(wide, 0.08f, 0.22f, 0.45f);
    canvas.AddLight(tight, 0.25f, 0.5f, 0.75f);
    canvas.AddLight(all, 0.85f, 0.9f, 1.0f);
    for (size_t i = 0; i < canvas.rgba.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            canvas.rgba[i + c] = std::min(canvas.rgba[i + c], 1.0f);
    return canvas;
}

Canvas Art::Title(int number) const {
    static const std::vector<CardLine> cards[5] = {
        {{"BRIGHTMOOT 2008", true, 1.0f},
         {"is a demoparty: three days of real-time graphics,", false, 0.5f},
         {"music and code, made by the people in the hall", false, 0.5f}},
        {{"15 \xE2\x80\x93 17 AUGUST 2008", true, 1.0f},
         {"Lanternhall, Quay Street 4, Harrowmere", false, 0.5f},
         {"doors open friday 16:00  \xC2\xB7  prizegiving sunday 14:00", false, 0.5f}},
        {{"COMPETITIONS", true, 1.0f},
         {"demo  \xC2\xB7  64k intro  \xC2\xB7  4k intro", false, 0.56f},
         {"music  \xC2\xB7  graphics  \xC2\xB7  wild", false, 0.56f}},
        {{"BRING", true, 1.0f},
         {"your computer, a network cable and a power strip", false, 0.5f},
         {"we bring the big screen, the sound, a fast network,", false, 0.5f},
         {"hot food all night and a quiet sleeping hall", false, 0.5f}},
        {{"SEE YOU THERE", true, 1.0f},
         {"Brightmoot 2008  \xC2\xB7  15 \xE2\x80\x93 17 august  \xC2\xB7  Harrowmere", false, 0.5f}},
    };
    const std::vector<CardLine>& lines = cards[std::clamp(number, 1, 5) - 1];
    TextPainter bold(Font("DejaVuSans-Bold.ttf"));
    TextPainter book(Font("DejaVuSans.ttf"));
    // One size for every card's heading and body, so the cards read as a set.
    const int headingSize = 150;
    const int bodySize = 62;
    Mask text(W, H);
    // The body lines of a card share the size at which the longest one fits.
    int bodyFit = 1000;
    for (const CardLine& line : lines)
        if (!line.bold)
            bodyFit = std::min(
                bodyFit, FitSize(book, line.text, 0.7f * W, static_cast<int>(bodySize * line.sizeScale / 0.5f), 0.03f));
    // The heading's letters sit on the streak's core at mid-height.
    float baseline = 0.5f * H + 0.36f * headingSize;
    for (const CardLine& line : lines) {
        if (line.bold) {
            const int size = FitSize(bold, line.text, 0.7f * W, headingSize, 0.1f);
            bold.DrawCentred(text, line.text, size, 0.5f * W, baseline, 0.1f * static_cast<float>(size));
            baseline += 0.72f * headingSize;
        } else {
            baseline += 1.45f * static_cast<float>(bodyFit);
            book.DrawCentred(text, line.text, bodyFit, 0.5f * W, baseline, 0.03f * static_cast<float>(bodyFit));
        }
    }
    Canvas canvas(W, H);
    // The cards are read through the heavy passage's pulsing glow and the last flashes.
    PaintText(canvas, text, 0.35f, 0.6f, 1.0f, 0.45f, 7, false, 3, 0.9f);
    return canvas;
}

Canvas Art::White() const {
    Canvas canvas(16, 16);
    canvas.Fill(1.0f, 1.0f, 1.0f, 1.0f);
    return canvas;
}

Canvas Art::ScenePanels() const {
    constexpr int S = 512;
    Canvas canvas(S, S);
    Random random(7);
    std::vector<float> grey(static_cast<size_t>(S) * S, 0.5f);
    // Recursive splits into panels of different shades with dark grooves between them.
    struct Rect {
        int x, y, w, h, depth;
    };
    std::vector<Rect> work{{0, 0, S, S, 0}};
    while (!work.empty()) {
        const Rect r = work.back();
        work.pop_back();
        const bool split = r.depth < 2 || (r.depth < 5 && random.Next() < 0.7f && r.w > 48 && r.h > 48);
        if (split) {
            const bool vertical = r.w > r.h || (r.w == r.h && random.Next() < 0.5f);
            const int length = vertical ? r.w : r.h;
            const int cut = std::max(16, static_cast<int>(length * (0.3f + 0.4f * random.Next())) / 16 * 16);
            if (cut < length) {
                if (vertical) {
                    work.push_back({r.x, r.y, cut, r.h, r.depth + 1});
                    work.push_back({r.x + cut, r.y, r.w - cut, r.h, r.depth + 1});
                } else {
                    work.push_back({r.x, r.y, r.w, cut, r.depth + 1});
                    work.push_back({r.x, r.y + cut, r.w, r.h - cut, r.depth + 1});
                }
                continue;
            }
        }
        const float shade = 0.38f + 0.3f * random.Next();
        const bool lit = random.Next() < 0.18f;
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) {
                const int ex = std::min(x - r.x, r.x + r.w - 1 - x), ey = std::min(y - r.y, r.y + r.h - 1 - y);
                const int e = std::min(ex, ey);
                float v = shade;
                if (e < 2)
                    v = 0.08f;
                else if (e < 4)
                    v = shade + 0.18f; // bevel catching light
                else if (lit && ey > r.h / 2 - 4 && ey < r.h / 2 + 4 && ex > 10)
                    v = 0.95f; // a light strip across the panel
                grey[static_cast<size_t>(y) * S + x] = v;
            }
    }
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const float v = grey[static_cast<size_t>(y) * S + x] * (0.94f + 0.06f * random.Next());
            float* p = canvas.At(x, y);
            p[0] = v * 0.92f;
            p[1] = v * 0.96f;
            p[2] = v * 1.04f;
            p[3] = 1.0f;
        }
    return canvas;
}

Canvas Art::SceneGrid() const {
    constexpr int S = 512;
    Canvas canvas(S, S);
    Random random(11);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            // Lines sit on the tile edges so the grid continues across repeats.
            auto line = [](int c, int period, float width) {
                const int m = c % period;
                const float d = static_cast<float>(std::min(m, period - m));
                return std::exp(-d * d / (width * width));
            };
            const float major = std::max(line(x, 128, 2.0f), line(y, 128, 2.0f));
            const float minor = std::max(line(x, 32, 0.8f), line(y, 32, 0.8f));
            const float v = 0.06f + 0.03f * random.Next();
            float* p = canvas.At(x, y);
            p[0] = std::min(1.0f, v + 0.25f * minor + 0.55f * major);
            p[1] = std::min(1.0f, v + 0.35f * minor + 0.75f * major);
            p[2] = std::min(1.0f, v * 1.3f + 0.45f * minor + 0.95f * major);
            p[3] = 1.0f;
        }
    return canvas;
}

Canvas Art::SceneMetal() const {
    constexpr int S = 512;
    Canvas canvas(S, S);
    Random random(23);
    // Brushed streaks: noise smeared along x, in bands.
    std::vector<float> rowNoise(S);
    for (float& n : rowNoise)
        n = random.Next();
    for (int y = 0; y < S; ++y) {
        float smear = rowNoise[static_cast<size_t>(y)];
        for (int x = 0; x < S; ++x) {
            smear = 0.97f * smear + 0.03f * random.Next();
            const float band = (y / 64) % 2 == 0 ? 0.0f : 0.08f;
            const float groove = (y % 64) < 3 ? -0.35f : 0.0f;
            const float v = std::clamp(0.55f + 0.35f * (smear - 0.5f) + band + groove, 0.0f, 1.0f);
            float* p = canvas.At(x, y);
            p[0] = v * 1.02f;
            p[1] = v * 0.97f;
            p[2] = v * 0.9f;
            p[3] = 1.0f;
        }
    }
    return canvas;
}

} // namespace Halcyra::Textures
