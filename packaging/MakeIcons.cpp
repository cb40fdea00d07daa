// Build-time tool: the menu icons, drawn from the program's own logo so that
// the installed icon never drifts from the one in the About box.
#include "jpeg/JpegDecoder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

// The logo is not square; icon themes want square images, so it is centred
// on a transparent square rather than stretched.
QImage SquareIcon(const QImage &logo, int side)
{
    QImage icon(side, side, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    const QImage scaled = logo.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&icon);
    painter.drawImage((side - scaled.width()) / 2, (side - scaled.height()) / 2, scaled);
    return icon;
}

} // namespace

// MakeIcons LOGO.jpg NAME THEMEDIR SIDE... writes THEMEDIR/SIDExSIDE/apps/NAME.png
int main(int argc, char *argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: MakeIcons LOGO.jpg NAME THEMEDIR SIDE...\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    const QImage logo = DecodeJpeg(file.readAll());
    if (logo.isNull()) {
        std::fprintf(stderr, "%s: not a JPEG that can be decoded\n", argv[1]);
        return 1;
    }
    const QString name = QString::fromLocal8Bit(argv[2]);
    const QDir theme(QString::fromLocal8Bit(argv[3]));
    for (int i = 4; i < argc; ++i) {
        const int side = QByteArray(argv[i]).toInt();
        if (side <= 0) {
            std::fprintf(stderr, "%s: not an icon size\n", argv[i]);
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(side);
        const QString path = theme.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!theme.mkpath(folder) || !SquareIcon(logo, side).save(path, "PNG")) {
            std::fprintf(stderr, "%s: cannot be written\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
