// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClientRecord.h"

#include "IndexCheck.h"
#include "Windows1252.h"

#include <cstring>
#include <stdexcept>

namespace L = ClientRecordLayout;

void TClientRecord::InitNewRecord(int proposedMdb)
{
    InitNewRecord(QDate::currentDate(), QLocale::system(), proposedMdb);
}

namespace {

// The locale's short date, unless it is too long for its field or written
// in characters the file's code page lacks: cut, it would be a wrong date
// ("17 May 202"), and its digits would be stored as "?"; the ISO date is kept.
QString NewTestDate(const QDate &today, const QLocale &locale)
{
    const QString shortDate = locale.toString(today, QLocale::ShortFormat);
    if (shortDate.size() < L::TestDate.size && Windows1252::CanHold(shortDate))
        return shortDate;
    return today.toString(Qt::ISODate);
}

} // namespace

void TClientRecord::InitNewRecord(const QDate &today, const QLocale &locale, int proposedMdb)
{
    m_image.fill(0);
    std::memcpy(m_image.data() + L::Signature.offset, ClientFileSignature, sizeof ClientFileSignature);
    SetTestDate(NewTestDate(today, locale));
    SetPlayPracticeBlock(true);
    SetCurrentMdb(proposedMdb);
    SetLevelsInSpl(false);
    for (int m = 0; m < MdbCount; ++m) {
        SetHighTalkerLevel(m, 70);
        SetLowTalkerLevel(m, 40);
        TMdbBlock block = Mdb(m);
        for (int s = 0; s < MdbBlockLayout::SlotCount; ++s) {
            block.SetProportion(s, NoScore);
            block.SetRau(s, NoScore);
            block.SetWrau(s, NoScore);
        }
        block.SetSnr50High(NoSnr50);
        block.SetSnr50Low(NoSnr50);
    }
}

void TClientRecord::SetImage(QByteArrayView image)
{
    if (image.size() != Size)
        throw std::invalid_argument("a client record image must be 2328 bytes");
    std::memcpy(m_image.data(), image.data(), Size);
}

QString TClientRecord::Signature() const { return ByteImage::ReadText(m_image.data(), L::Signature); }
QString TClientRecord::LastName() const { return ByteImage::ReadText(m_image.data(), L::LastName); }
void TClientRecord::SetLastName(const QString &t) { ByteImage::WriteText(m_image.data(), L::LastName, t); }
QString TClientRecord::FirstName() const { return ByteImage::ReadText(m_image.data(), L::FirstName); }
void TClientRecord::SetFirstName(const QString &t) { ByteImage::WriteText(m_image.data(), L::FirstName, t); }
QString TClientRecord::MiddleInitial() const { return ByteImage::ReadText(m_image.data(), L::MiddleInitial); }
void TClientRecord::SetMiddleInitial(const QString &t) { ByteImage::WriteText(m_image.data(), L::MiddleInitial, t); }
QString TClientRecord::IdNumber() const { return ByteImage::ReadText(m_image.data(), L::IdNumber); }
void TClientRecord::SetIdNumber(const QString &t) { ByteImage::WriteText(m_image.data(), L::IdNumber, t); }
QString TClientRecord::TestDate() const { return ByteImage::ReadText(m_image.data(), L::TestDate); }
void TClientRecord::SetTestDate(const QString &t) { ByteImage::WriteText(m_image.data(), L::TestDate, t); }
QString TClientRecord::DateOfBirth() const { return ByteImage::ReadText(m_image.data(), L::DateOfBirth); }
void TClientRecord::SetDateOfBirth(const QString &t) { ByteImage::WriteText(m_image.data(), L::DateOfBirth, t); }
QString TClientRecord::Clinician() const { return ByteImage::ReadText(m_image.data(), L::Clinician); }
void TClientRecord::SetClinician(const QString &t) { ByteImage::WriteText(m_image.data(), L::Clinician, t); }
QString TClientRecord::ClientComments() const { return ByteImage::ReadText(m_image.data(), L::ClientComments); }
void TClientRecord::SetClientComments(const QString &t) { ByteImage::WriteLines(m_image.data(), L::ClientComments, t); }

bool TClientRecord::PlayPracticeBlock() const { return ByteImage::ReadFlag(m_image.data(), L::PlayPracticeBlock); }
void TClientRecord::SetPlayPracticeBlock(bool v) { ByteImage::WriteFlag(m_image.data(), L::PlayPracticeBlock, v); }
qint32 TClientRecord::CurrentMdb() const { return ByteImage::ReadInt32(m_image.data(), L::CurrentMdb); }
void TClientRecord::SetCurrentMdb(qint32 m) { ByteImage::WriteInt32(m_image.data(), L::CurrentMdb, CheckedIndex(m, MdbCount, "MDB")); }

namespace {

qsizetype BlockOffset(int mdb)
{
    return L::Mdb + MdbBlockLayout::Size * CheckedIndex(mdb, L::MdbCount, "MDB");
}

qsizetype LevelOffset(qsizetype array, int mdb)
{
    return array + 4 * CheckedIndex(mdb, L::MdbCount, "MDB");
}

} // namespace

TConstMdbBlock TClientRecord::Mdb(int m) const { return TConstMdbBlock(m_image.data() + BlockOffset(m)); }
TMdbBlock TClientRecord::Mdb(int m) { return TMdbBlock(m_image.data() + BlockOffset(m)); }

qint32 TClientRecord::HighTalkerLevel(int m) const { return ByteImage::ReadInt32(m_image.data(), LevelOffset(L::HighTalkerLevel, m)); }
void TClientRecord::SetHighTalkerLevel(int m, qint32 v) { ByteImage::WriteInt32(m_image.data(), LevelOffset(L::HighTalkerLevel, m), v); }
qint32 TClientRecord::LowTalkerLevel(int m) const { return ByteImage::ReadInt32(m_image.data(), LevelOffset(L::LowTalkerLevel, m)); }
void TClientRecord::SetLowTalkerLevel(int m, qint32 v) { ByteImage::WriteInt32(m_image.data(), LevelOffset(L::LowTalkerLevel, m), v); }
bool TClientRecord::LevelsInSpl() const { return ByteImage::ReadFlag(m_image.data(), L::LevelsInSpl); }
void TClientRecord::SetLevelsInSpl(bool v) { ByteImage::WriteFlag(m_image.data(), L::LevelsInSpl, v); }
