// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Typed reads and writes at fixed offsets of a little-endian file image. The
// image layouts are defined by offsets, never by the packing of a C++ struct.
struct TTextArea
{
    qsizetype offset;
    qsizetype size;

    constexpr qsizetype end() const { return offset + size; }
};

namespace ByteImage {

qint32 ReadInt32(const char *image, qsizetype offset);
void WriteInt32(char *image, qsizetype offset, qint32 value);

float ReadFloat(const char *image, qsizetype offset);
void WriteFloat(char *image, qsizetype offset, float value);

// Flags are bytes that count as set only when they hold exactly 1.
bool ReadFlag(const char *image, qsizetype offset);
void WriteFlag(char *image, qsizetype offset, bool value);

// The text up to its zero byte, or up to the end of the area when it has none.
QString ReadText(const char *image, TTextArea area);
bool HasTerminator(const char *image, TTextArea area);

// Writes the text and one zero byte at the start of the area, cut to the area
// less one byte; the bytes after the zero keep what they held.
void WriteText(char *image, TTextArea area, const QString &text);

// A multi-line text: line breaks are stored as CR LF, and a cut never leaves
// half a line break behind.
void WriteLines(char *image, TTextArea area, const QString &text);

} // namespace ByteImage
