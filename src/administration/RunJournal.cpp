// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunJournal.h"

#include <QList>

namespace RunJournal {

namespace {

constexpr int MaxPage = 16;

QByteArray Sealed(const QByteArray &body)
{
    return body + ' ' + QByteArray::number(qChecksum(body), 16).rightJustified(4, '0') + '\n';
}

QByteArray Where(char kind, int page, int sentence)
{
    return QByteArray(1, kind) + ' ' + QByteArray::number(page) + ' ' + QByteArray::number(sentence);
}

// A number written by this program: digits only, in range.
std::optional<int> Number(const QByteArray &field, int low, int high)
{
    if (field.isEmpty() || field.size() > 9)
        return std::nullopt;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    const int value = field.toInt();
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

// The fields of a line whose checksum holds; nullopt otherwise.
std::optional<QList<QByteArray>> Fields(const QByteArray &line)
{
    const qsizetype space = line.lastIndexOf(' ');
    if (space <= 0 || line.size() - space != 5)
        return std::nullopt;
    const QByteArray body = line.left(space);
    bool ok = false;
    const uint sum = line.mid(space + 1).toUInt(&ok, 16);
    if (!ok || sum != qChecksum(body))
        return std::nullopt;
    return body.split(' ');
}

class TReplay
{
public:
    // False: the line does not fit the run as read so far.
    bool Take(const QList<QByteArray> &f)
    {
        const char kind = f[0].size() == 1 ? f[0][0] : '\0';
        if (kind == 'S')
            return TakeStart(f);
        if (kind == 'A' && f.size() == 1 && m_run) {
            m_run.reset();
            return true;
        }
        if (!m_run)
            return false;
        if (kind == 'C' && f.size() == 2) {
            const auto page = Number(f[1], 1, MaxPage);
            if (!page || *page != m_run->Page)
                return false;
            m_run->ScoredPages = *page;
            return true;
        }
        if (f.size() < 3)
            return false;
        const auto page = Number(f[1], 1, MaxPage);
        const auto sentence = Number(f[2], 0, TPage::MaxSentences - 1);
        if (!page || !sentence)
            return false;
        if (kind == 'V' && f.size() == 3)
            return TakeMove(*page, *sentence);
        if (*page != m_run->Page || *sentence != m_run->Sentence)
            return false;
        TSentenceMarks &marks = m_run->Marks[*sentence];
        if (kind == 'P' && f.size() == 3) {
            m_beforePlay = marks;
            marks = PlayedMarks();
            m_playing = true;
            return true;
        }
        if (kind == 'E' && f.size() == 4 && m_playing) {
            const auto whole = Number(f[3], 0, 1);
            if (!whole)
                return false;
            m_playing = false;
            if (*whole)
                m_run->Played[*sentence] = true;
            else
                marks = m_beforePlay;
            return true;
        }
        if (kind == 'M' && f.size() == 3 + PassageLayout::KeyWordCount) {
            TSentenceMarks read{};
            for (int k = 0; k < PassageLayout::KeyWordCount; ++k) {
                const auto mark = Number(f[3 + k], 0, int(TWordMark::HalfCorrect));
                if (!mark)
                    return false;
                read[k] = TWordMark(*mark);
            }
            marks = read;
            return true;
        }
        return false;
    }

    std::optional<TInterrupted> Result()
    {
        if (m_run && m_playing)
            m_run->Marks[m_run->Sentence] = m_beforePlay;
        return m_run;
    }

private:
    bool TakeStart(const QList<QByteArray> &f)
    {
        if (f.size() != 7)
            return false;
        const auto size = Number(f[2] == "-" ? QByteArray("0") : f[2], 0, 999999999);
        const auto mdb = Number(f[4], 0, 3);
        const auto conditions = Number(f[5], 0, 255);
        const auto practice = Number(f[6], 0, 1);
        if (!size || !mdb || !conditions || !practice)
            return false;
        TInterrupted run;
        run.Start.ClientFile = f[1] == "-" ? QString() : QString::fromUtf8(QByteArray::fromHex(f[1]));
        run.Start.StampSize = f[2] == "-" ? -1 : *size;
        run.Start.StampHash = f[3] == "-" ? QByteArray() : QByteArray::fromHex(f[3]);
        run.Start.Mdb = *mdb;
        run.Start.Conditions = quint8(*conditions);
        run.Start.Practice = *practice == 1;
        m_run = run;
        m_playing = false;
        return true;
    }
    bool TakeMove(int page, int sentence)
    {
        if (m_playing)
            return false;
        if (page == m_run->Page) {
            m_run->Sentence = sentence;
            return true;
        }
        // On to the next list only, at its first sentence.
        if (page != m_run->Page + 1 || sentence != 0)
            return false;
        m_run->Page = page;
        m_run->Sentence = 0;
        m_run->Marks = {};
        m_run->Played = {};
        return true;
    }

    std::optional<TInterrupted> m_run;
    TSentenceMarks m_beforePlay{};
    bool m_playing = false;
};

} // namespace

QByteArray StartLine(const TRunStart &start)
{
    const auto orDash = [](const QByteArray &field) { return field.isEmpty() ? QByteArray("-") : field; };
    return Sealed("S " + orDash(start.ClientFile.toUtf8().toHex()) + ' ' +
                  (start.StampSize < 0 ? QByteArray("-") : QByteArray::number(start.StampSize)) + ' ' +
                  orDash(start.StampHash.toHex()) + ' ' + QByteArray::number(start.Mdb) + ' ' +
                  QByteArray::number(start.Conditions) + ' ' + (start.Practice ? '1' : '0'));
}

QByteArray PlayLine(int page, int sentence)
{
    return Sealed(Where('P', page, sentence));
}

QByteArray PlayedLine(int page, int sentence, bool whole)
{
    return Sealed(Where('E', page, sentence) + (whole ? " 1" : " 0"));
}

QByteArray MarkLine(int page, int sentence, const TSentenceMarks &marks)
{
    QByteArray body = Where('M', page, sentence);
    for (const TWordMark mark : marks)
        body += ' ' + QByteArray::number(int(mark));
    return Sealed(body);
}

QByteArray MoveLine(int page, int sentence)
{
    return Sealed(Where('V', page, sentence));
}

QByteArray ScoreLine(int page)
{
    return Sealed("C " + QByteArray::number(page));
}

QByteArray EndLine()
{
    return Sealed("A");
}

TReading Read(const QByteArray &bytes)
{
    TReading reading;
    TReplay replay;
    const QList<QByteArray> lines = bytes.split('\n');
    // The piece after the last newline is a line the write did not finish.
    const qsizetype complete = lines.size() - 1;
    qsizetype taken = 0;
    for (; taken < complete; ++taken) {
        const std::optional<QList<QByteArray>> fields = Fields(lines[taken]);
        if (!fields || !replay.Take(*fields))
            break;
    }
    reading.RefusedLines = int(complete - taken) + (lines.last().isEmpty() ? 0 : 1);
    reading.Run = replay.Result();
    return reading;
}

} // namespace RunJournal
