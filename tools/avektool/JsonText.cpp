// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonText.h"

#include <charconv>
#include <cmath>

namespace JsonText {

QString String(const QString &text)
{
    QString json = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': json += QStringLiteral("\\\""); break;
        case '\\': json += QStringLiteral("\\\\"); break;
        case '\b': json += QStringLiteral("\\b"); break;
        case '\f': json += QStringLiteral("\\f"); break;
        case '\n': json += QStringLiteral("\\n"); break;
        case '\r': json += QStringLiteral("\\r"); break;
        case '\t': json += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
                json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                json += c;
        }
    }
    return json + u'"';
}

QString Float(float value)
{
    if (!std::isfinite(value))
        return QStringLiteral("null");
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, result.ptr - text);
}

QString Bool(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace JsonText
