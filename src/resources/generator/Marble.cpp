#include "Marble.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace quillomat::artwork {

namespace {

double fade(double t)
{
    return t * t * t * (t * (t * 6 - 15) + 10);
}

double lerp(double a, double b, double t)
{
    return a + (b - a) * t;
}

// One of eight unit-ish gradient directions, picked by the hash.
double gradient(int hash, double x, double y)
{
    switch (hash & 7) {
    case 0:
        return x + y;
    case 1:
        return x - y;
    case 2:
        return -x + y;
    case 3:
        return -x - y;
    case 4:
        return x;
    case 5:
        return -x;
    case 6:
        return y;
    default:
        return -y;
    }
}

int channel(double a, double b, double t)
{
    return std::clamp(static_cast<int>(std::lround(lerp(a, b, t))), 0, 255);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor(channel(a.red(), b.red(), t), channel(a.green(), b.green(), t),
                  channel(a.blue(), b.blue(), t));
}

} // namespace

GradientNoise::GradientNoise(std::uint32_t seed)
{
    std::array<std::uint8_t, 256> base{};
    for (int i = 0; i < 256; ++i)
        base[i] = static_cast<std::uint8_t>(i);
    // Fisher-Yates with the engine's raw output: std::shuffle's result is not the same on every
    // standard library, and the committed pictures should be reproducible.
    std::mt19937 engine(seed);
    for (int i = 255; i > 0; --i)
        std::swap(base[i], base[engine() % static_cast<std::uint32_t>(i + 1)]);
    for (int i = 0; i < 512; ++i)
        m_permutation[i] = base[i & 255];
}

double GradientNoise::noise(double x, double y) const
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int xi = static_cast<int>(fx) & 255;
    const int yi = static_cast<int>(fy) & 255;
    const double xf = x - fx;
    const double yf = y - fy;
    const double u = fade(xf);
    const double v = fade(yf);
    const auto& p = m_permutation;
    const int aa = p[p[xi] + yi];
    const int ab = p[p[xi] + yi + 1];
    const int ba = p[p[xi + 1] + yi];
    const int bb = p[p[xi + 1] + yi + 1];
    const double top = lerp(gradient(aa, xf, yf), gradient(ba, xf - 1, yf), u);
    const double bottom = lerp(gradient(ab, xf, yf - 1), gradient(bb, xf - 1, yf - 1), u);
    return lerp(top, bottom, v) * 0.7;
}

double GradientNoise::turbulence(double x, double y, int octaves) const
{
    double sum = 0;
    double scale = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += std::abs(noise(x * scale, y * scale)) / scale;
        scale *= 2;
    }
    return sum;
}

double GradientNoise::fractal(double x, double y, int octaves) const
{
    double sum = 0;
    double scale = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += noise(x * scale, y * scale) / scale;
        scale *= 2;
    }
    return sum;
}

QImage marble(QSize size, const MarbleStyle& style, int scale)
{
    QImage image(size, QImage::Format_RGB32);
    const GradientNoise veins(style.seed);
    const GradientNoise crossVeins(style.seed * 31u + 7u);
    const GradientNoise clouds(style.seed * 7919u + 17u);
    constexpr double pi = std::numbers::pi;
    for (int row = 0; row < size.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        const double y = double(row) / scale;
        for (int column = 0; column < size.width(); ++column) {
            const double x = double(column) / scale;
            const double sx = x * style.turbulenceScale;
            const double sy = y * style.turbulenceScale;
            // The grain runs diagonally; turbulence bends it into veins, which lie where the
            // sine crosses zero, so they stay thin however far they are bent.
            const double phase = (x * 0.8 + y * 0.55) * style.veinFrequency +
                                 style.turbulencePower * veins.turbulence(sx, sy, 6);
            const double main = 1.0 - std::abs(std::sin(phase * pi));
            // A second, fainter set of veins across the first.
            const double crossPhase =
                (x * -0.35 + y * 0.9) * style.veinFrequency * 0.6 +
                style.turbulencePower * 1.3 * crossVeins.turbulence(sx * 1.4, sy * 1.4, 5);
            const double cross = 1.0 - std::abs(std::sin(crossPhase * pi));
            const double veinWeight =
                std::min(1.0, std::pow(main, 9.0) * 0.75 + std::pow(main, 3.0) * 0.2 +
                                  std::pow(cross, 20.0) * 0.3);
            const double cloud = clouds.fractal(x / 150.0, y / 150.0, 4);
            const double tintWeight = std::clamp(0.5 + cloud * 1.2, 0.0, 1.0) * 0.6;
            // A faint fine grain keeps large areas from looking flat.
            const double grain = veins.noise(x / 2.7, y / 2.7) * 0.03;
            QColor colour = mix(style.stone, style.tint, tintWeight);
            colour = mix(colour, style.vein, veinWeight);
            colour =
                mix(colour, grain > 0 ? QColor(Qt::white) : QColor(Qt::black), std::abs(grain));
            line[column] = colour.rgb();
        }
    }
    return image;
}

} // namespace quillomat::artwork
