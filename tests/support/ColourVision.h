// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <cmath>

// Contrast as the accessibility guidelines define it, and a dichromat's view
// of a picture, for judging what a person sees on a rendered page.
namespace ColourVision {

inline double Linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline int Encoded(double linear)
{
    linear = std::clamp(linear, 0.0, 1.0);
    const double c = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return int(std::lround(c * 255));
}

inline double Luminance(QRgb colour)
{
    return 0.2126 * Linear(qRed(colour)) + 0.7152 * Linear(qGreen(colour)) + 0.0722 * Linear(qBlue(colour));
}

inline double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Deuteranopia at severity 1.0 (Machado, Oliveira and Fernandes 2009), on
// linear RGB.
inline QRgb Deuteranope(QRgb colour)
{
    static constexpr double M[3][3] = {
        {0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}};
    const double in[3] = {Linear(qRed(colour)), Linear(qGreen(colour)), Linear(qBlue(colour))};
    int out[3];
    for (int i = 0; i < 3; ++i)
        out[i] = Encoded(M[i][0] * in[0] + M[i][1] * in[1] + M[i][2] * in[2]);
    return qRgb(out[0], out[1], out[2]);
}

inline QImage AsDeuteranope(const QImage &picture)
{
    QImage seen = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < seen.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(seen.scanLine(y));
        for (int x = 0; x < seen.width(); ++x)
            line[x] = Deuteranope(line[x]);
    }
    return seen;
}

// The commonest colour within the area that is not the background: the
// colour of the glyphs' cores and lines.
inline QRgb InkColour(const QImage &picture, const QRect &area, QRgb background)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = picture.pixel(x, y) | 0xff000000;
            if (pixel != (background | 0xff000000))
                ++counts[pixel];
        }
    }
    QRgb ink = background;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            ink = it.key();
        }
    }
    return ink;
}

// How many pixels are plainly ink in one picture and plainly background in
// the other, by lightness alone: what tells two pictures apart without hue.
// Antialiased edges of the same shape in two colours never count.
inline int ShapeDifference(const QImage &a, const QImage &b, QRgb background)
{
    const auto ink = [&](const QImage &p, int x, int y) { return Contrast(p.pixel(x, y), background) >= 2.0; };
    const auto blank = [&](const QImage &p, int x, int y) { return Contrast(p.pixel(x, y), background) <= 1.2; };
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            count += (ink(a, x, y) && blank(b, x, y)) || (ink(b, x, y) && blank(a, x, y));
    }
    return count;
}

} // namespace ColourVision
