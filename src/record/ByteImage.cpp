// SPDX-License-Identifier: GPL-3.0-or-later
#include "ByteImage.h"

#include "Windows1252.h"

#include <QRegularExpression>
#include <QtEndian>

#include <bit>
#include <cstring>

namespace ByteImage {

qint32 ReadInt32(const char *image, qsizetype offset)
{
    return qFromLittleEndian<qint32>(image + offset);
}

void WriteInt32(char *image, qsizetype offset, qint32 value)
{
    qToLittleEndian<qint32>(value, image + offset);
}

float ReadFloat(const char *image, qsizetype offset)
{
    return std::bit_cast<float>(qFromLittleEndian<quint32>(image + offset));
}

void WriteFloat(char *image, qsizetype offset, float value)
{
    qToLittleEndian<quint32>(std::bit_cast<quint32>(value), image + offset);
}

bool ReadFlag(const char *image, qsizetype offset)
{
    return image[offset] == 1;
}

void WriteFlag(char *image, qsizetype offset, bool value)
{
    image[offset] = value ? 1 : 0;
}

QString ReadText(const char *image, TTextArea area)
{
    const char *start = image + area.offset;
    const void *zero = std::memchr(start, 0, static_cast<std::size_t>(area.size));
    const qsizetype length = zero ? static_cast<const char *>(zero) - start : area.size;
    return Windows1252::Decode(QByteArrayView(start, length));
}

bool HasTerminator(const char *image, TTextArea area)
{
    return std::memchr(image + area.offset, 0, static_cast<std::size_t>(area.size)) != nullptr;
}

namespace {

void WriteBytes(char *image, TTextArea area, const QByteArray &bytes)
{
    const qsizetype length = qMin(bytes.size(), area.size - 1);
    std::memcpy(image + area.offset, bytes.constData(), static_cast<std::size_t>(length));
    image[area.offset + length] = 0;
}

} // namespace

void WriteText(char *image, TTextArea area, const QString &text)
{
    WriteBytes(image, area, Windows1252::Encode(text));
}

void WriteLines(char *image, TTextArea area, const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QString crLf = text;
    crLf.replace(lineBreak, QStringLiteral("\r\n"));
    QByteArray bytes = Windows1252::Encode(crLf);
    bytes.truncate(area.size - 1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    WriteBytes(image, area, bytes);
}

} // namespace ByteImage
