// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuideImage.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QList>

namespace {

constexpr int StrongestCompression = 0;

// The image's colours, or an empty list when it has more than 256.
QList<QRgb> FewColours(const QImage &image)
{
    QHash<QRgb, int> seen;
    QList<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (seen.contains(line[x]))
                continue;
            if (colours.size() == 256)
                return {};
            seen.insert(line[x], int(colours.size()));
            colours << line[x];
        }
    }
    return colours;
}

} // namespace

TStatus SaveGuideImage(const QImage &image, const QString &fileName)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QImage small;
    if (const QList<QRgb> colours = FewColours(rgb); !colours.isEmpty()) {
        // An exact colour table: nothing is dithered or rounded.
        small = rgb.convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither | Qt::AvoidDither);
    } else {
        small = rgb.convertToFormat(QImage::Format_RGB888);
    }
    if (small.isNull() || !small.save(fileName, "PNG", StrongestCompression))
        return TStatus::Error(QStringLiteral("Cannot write \"%1\".").arg(QDir::toNativeSeparators(fileName)));
    return TStatus::Ok();
}
