#include "pictures/Pictures.h"

#include <cmath>
#include <cstdint>

#include "drawing/RealMath.h"
#include "pictures/Banner.h"
#include "pictures/Random.h"

namespace quillet {
namespace {

// Angles in radians, as the figures were designed: doubles, apart from 105
// degrees, which stays at extended precision like pi.
constexpr double kDegrees90 = 1.5707963267948966;
constexpr double kDegrees100 = 1.7453292519943295;
constexpr double kDegrees130 = 2.2689280275926285;
constexpr double kDegreesMinus110 = -1.9198621771937625;
constexpr long double kDegrees105 = 7 * kPi / 12;

constexpr Colour kYellow = 0x00FFFF;
constexpr Colour kMagenta = 0xFF00FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kPaleCyan = 0xFFFFEE;
constexpr Colour kWhite = 0xFFFFFF;

// Adds to a colour value as an integer: a step may carry from one byte into
// the next, which the shades chosen here never do.
Colour Shifted(Colour colour, std::int64_t delta) {
    return static_cast<Colour>(static_cast<std::int64_t>(colour) + delta);
}

void PlotPoint(Canvas& surface, bool first, int x, int y) {
    if (first) surface.MoveTo(x, y);
    surface.LineTo(x, y);
}

// The caption of the flower circles, in the colour the banner left.
void WriteBottomCaption(Canvas& surface, int fontHeight, int clientHeight, const QString& caption) {
    surface.SetFontHeight(fontHeight);
    surface.TextOut(0, clientHeight - surface.FontHeight(), caption);
}

// The state DrawCrown shares with its leaves and stems: the loops set the
// angles and the counter j between them, the leaf and the stem point read them.
class Crown {
public:
    Crown(Canvas& surface, int size)
        : surface_(surface), leaf_(ReadLeafTable()), a_(size / 2), r_(WreathRadius(size)) {}

    double psi = kDegreesMinus110;
    double phi = kDegrees100;
    int j = 0;

    // One leaf at j times 10 degrees from psi, tilted by phi, mirrored across
    // its base line when s is -1, outlined and filled one shade lighter than
    // the one before.
    void DrawLeaf(int s) {
        surface_.SetPenColour(Shifted(surface_.PenColour(), 0x100010));
        surface_.SetBrushColour(surface_.PenColour());
        const double theta = static_cast<double>(j * 20 * kPi / 360 + psi);
        const double px = static_cast<double>(a_ + r_ * std::cos(static_cast<long double>(theta)));
        const double py = static_cast<double>(a_ - r_ * std::sin(static_cast<long double>(theta)));
        const long double turn = static_cast<long double>(theta) + phi;
        for (int k = 0; k < 8; ++k) {
            const long double u = 1.4L * leaf_[k].x();
            const long double v = 1.4L * s * leaf_[k].y();
            const int x = Round(px + u * std::cos(turn) - v * std::sin(turn));
            const int y = Round(py - u * std::sin(turn) - v * std::cos(turn));
            if (k == 0)
                surface_.MoveTo(x, y);
            else if (k < 7)
                surface_.LineTo(x, y);
            else
                surface_.FloodFill(x, y, surface_.PenColour());
        }
    }

    // The point of a stem at j degrees, its radius swelling from the wreath's.
    void DrawStemPoint() {
        const double alpha = static_cast<double>(j * kPi / 180);
        const double radius =
            static_cast<double>((1 - std::cos(5 * static_cast<long double>(alpha))) * 12 + r_);
        const long double angle = static_cast<long double>(alpha) - psi;
        const int x = Round(a_ + radius * std::cos(angle));
        const int y = Round(a_ - radius * std::sin(angle));
        if (j == 0)
            surface_.MoveTo(x, y);
        else
            surface_.LineTo(x, y);
    }

private:
    Canvas& surface_;
    const std::array<QPoint, 8> leaf_;
    const int a_;
    const int r_;
};

}  // namespace

std::array<QPoint, 8> ReadLeafTable() {
    std::array<QPoint, 8> points;
    auto number = [](int at) { return (kLeafTable[at] - '0') * 10 + (kLeafTable[at + 1] - '0'); };
    for (int k = 0; k < 8; ++k) points[k] = QPoint(number(4 * k), number(4 * k + 2));
    return points;
}

int WreathRadius(int size) { return Round(static_cast<long double>(size / 2) * 8.8L / 10); }

void WhitenSurface(Canvas& surface, int clientWidth, int clientHeight) {
    surface.SetPenColour(kWhite);
    surface.SetBrushColour(kWhite);
    surface.Rectangle(0, 0, clientWidth, clientHeight);
}

void DrawCrown(Canvas& surface, int size, int clientHeight) {
    Crown crown(surface, size);
    crown.psi = kDegreesMinus110;
    surface.SetBrushStyle(BrushStyle::Clear);
    DrawBanner(surface, kYellow, clientHeight);
    surface.SetFontHeight(Round(static_cast<long double>(clientHeight) * 3 / 50));
    surface.TextOut(0, clientHeight - surface.FontHeight(), kCrownCaption);

    // Setting the brush colour also makes the brush solid for the fills.
    surface.SetPenColour(kGreen);
    surface.SetBrushColour(surface.PenColour());
    crown.phi = kDegrees100;
    for (crown.j = 2; crown.j <= 16; ++crown.j) crown.DrawLeaf(2 * (crown.j % 2) - 1);

    surface.SetPenColour(kGreen);
    surface.SetBrushColour(surface.PenColour());
    crown.phi = -crown.phi;
    for (crown.j = 34; crown.j >= 20; --crown.j) crown.DrawLeaf(1 - 2 * (crown.j % 2));

    surface.SetPenColour(kGreen);
    surface.SetPenWidth(3);
    crown.psi = kDegrees130;
    for (crown.j = 0; crown.j <= 40; ++crown.j) crown.DrawStemPoint();
    crown.psi = kDegrees90;
    for (crown.j = 0; crown.j >= -40; --crown.j) crown.DrawStemPoint();
}

void DrawBlossom(Canvas& surface, int size, int clientHeight) {
    surface.SetPenColour(kMagenta);
    surface.SetPenWidth(4);
    surface.SetBrushStyle(BrushStyle::Clear);
    DrawBanner(surface, surface.PenColour(), clientHeight);
    surface.SetFontHeight(Round(static_cast<long double>(clientHeight) * 3 / 40));
    surface.TextOut(surface.FontHeight(), Round(static_cast<long double>(clientHeight) * 7 / 8),
                    kBlossomCaption);

    const int a = size / 2;
    const int t = (a - surface.PenWidth() - 10) / 3;
    const double step = static_cast<double>(static_cast<long double>(t) / 30);
    double radius = 2 * t;
    int sign = 1;
    for (int i = 0; i <= 450; ++i) {
        // The green byte follows the radius: it rises by 5 while the petal grows.
        surface.SetPenColour(Shifted(surface.PenColour(), sign * 1280));
        const double theta = static_cast<double>(i * 2 * kPi / 450);
        const int x = Round(a - radius * std::cos(static_cast<long double>(theta)));
        const int y = Round(a + radius * std::sin(static_cast<long double>(theta)));
        PlotPoint(surface, i == 0, x, y);
        // Each petal spans 90 points: out to the tip, the notch in and out
        // again, back to the middle.
        const int n = i % 90;
        sign = (n <= 35 || (n >= 45 && n <= 53)) ? 1 : -1;
        radius = radius + sign * step;
    }
}

void DrawSpiralFlowerCircle(Canvas& surface, int size, int clientHeight, RandomGenerator& random) {
    DrawSpiralFlowerCircle(surface, size, clientHeight, random.Random(2) + 5);
}

void DrawSpiralFlowerCircle(Canvas& surface, int size, int clientHeight, int scallops) {
    const int a = size / 2;
    surface.SetPenWidth(3);
    surface.SetPenColour(kRed);
    for (int i = 0; i <= 1080; ++i) {
        const long double t = static_cast<double>(i * kPi / 180);
        double radius = static_cast<double>(std::sin(t / 4 / 3) * a * 0.8L);
        // The third turn carries the scallops.
        if (i > 720)
            radius = static_cast<double>(std::fabs(std::sin(scallops * t / 2)) * a * 0.2L + radius);
        const int x = Round(std::cos(t + kDegrees105) * radius) + a;
        const int y = Round(std::sin(t + kDegrees105) * radius) + a;
        PlotPoint(surface, i == 0, x, y);
    }
    surface.SetBrushStyle(BrushStyle::Clear);
    DrawBanner(surface, kYellow, clientHeight);
    WriteBottomCaption(surface, a / 7, clientHeight, kFlowerCircleCaption);
}

void DrawRingedFlowerCircle(Canvas& surface, int size, int clientHeight) {
    const int a = size / 2;
    surface.SetPenWidth(3);
    surface.SetPenColour(kPaleCyan);
    for (int i = 0; i <= 360; ++i) {
        const long double t = static_cast<double>(i * kPi / 180);
        const double radius = static_cast<double>(std::fabs(std::sin(10 * t)) * a / 10 + a * 0.8L);
        const int x = Round(std::cos(t + kDegrees105) * radius) + a;
        const int y = Round(std::sin(t + kDegrees105) * radius) + a;
        PlotPoint(surface, i == 0, x, y);
    }

    surface.SetPenColour(kMagenta);
    surface.SetPenWidth(5);
    for (int i = 0; i <= 700; ++i) {
        const long double t = static_cast<double>(i * kPi / 180);
        const double radius = static_cast<double>(std::sin(t / 4 / 3) * a * 0.8L);
        const int x = Round(std::cos(t + kDegrees105) * radius) + a - 20;
        const int y = Round(std::sin(t + kDegrees105) * radius) + a;
        PlotPoint(surface, i == 0, x, y);
    }
    surface.SetBrushStyle(BrushStyle::Clear);
    DrawBanner(surface, kYellow, clientHeight);
    WriteBottomCaption(surface, a / 7, clientHeight, kFlowerCircleCaption);
}

}  // namespace quillet
