// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ByteImage.h"
#include "MdbBlock.h"

#include <QByteArrayView>
#include <QDate>
#include <QLocale>
#include <QString>

#include <array>

// Offsets of the client file record, which is also the client file itself.
namespace ClientRecordLayout {
constexpr qsizetype Size = 2328;
constexpr int MdbCount = 4;

constexpr TTextArea Signature{0, 9};
constexpr TTextArea LastName{20, 18};
constexpr TTextArea FirstName{38, 18};
constexpr TTextArea MiddleInitial{56, 2};
constexpr TTextArea IdNumber{58, 11};
constexpr TTextArea TestDate{69, 11};
constexpr TTextArea DateOfBirth{80, 17};
constexpr TTextArea Clinician{97, 25};
constexpr TTextArea ClientComments{122, 256};
constexpr qsizetype PlayPracticeBlock = 380;
constexpr qsizetype CurrentMdb = 384;
constexpr qsizetype Mdb = 388;
constexpr qsizetype HighTalkerLevel = 2292;
constexpr qsizetype LowTalkerLevel = 2308;
constexpr qsizetype LevelsInSpl = 2324;

static_assert(LastName.end() == FirstName.offset);
static_assert(FirstName.end() == MiddleInitial.offset);
static_assert(MiddleInitial.end() == IdNumber.offset);
static_assert(IdNumber.end() == TestDate.offset);
static_assert(TestDate.end() == DateOfBirth.offset);
static_assert(DateOfBirth.end() == Clinician.offset);
static_assert(Clinician.end() == ClientComments.offset);
static_assert(ClientComments.end() + 2 == PlayPracticeBlock);
static_assert(Mdb + MdbCount * MdbBlockLayout::Size == HighTalkerLevel);
static_assert(HighTalkerLevel + 4 * MdbCount == LowTalkerLevel);
static_assert(LowTalkerLevel + 4 * MdbCount == LevelsInSpl);
static_assert(LevelsInSpl + 1 + 3 == Size);
} // namespace ClientRecordLayout

// The signature a client file starts with, zero included.
inline constexpr char ClientFileSignature[] = "VEKTEST2";

// All data of one client, held as the 2328-byte image that is written to the
// client file byte for byte. Bytes no field covers keep what was loaded.
class TClientRecord
{
public:
    static constexpr qsizetype Size = ClientRecordLayout::Size;
    static constexpr int MdbCount = ClientRecordLayout::MdbCount;

    // Every byte zero; InitNewRecord gives the values of a new client.
    TClientRecord() = default;

    // The MDB proposed is the caller's choice (the program draws it at random).
    void InitNewRecord(int proposedMdb = 0);
    // The same with the date and locale given, so that the result is repeatable.
    void InitNewRecord(const QDate &today, const QLocale &locale, int proposedMdb = 0);

    QByteArrayView Image() const { return QByteArrayView(m_image.data(), Size); }
    // Replaces the whole image, which must be exactly Size bytes.
    void SetImage(QByteArrayView image);

    QString Signature() const;
    QString LastName() const;
    void SetLastName(const QString &text);
    QString FirstName() const;
    void SetFirstName(const QString &text);
    QString MiddleInitial() const;
    void SetMiddleInitial(const QString &text);
    QString IdNumber() const;
    void SetIdNumber(const QString &text);
    QString TestDate() const;
    void SetTestDate(const QString &text);
    QString DateOfBirth() const;
    void SetDateOfBirth(const QString &text);
    QString Clinician() const;
    void SetClinician(const QString &text);
    // Line breaks are stored as CR LF whatever the text uses.
    QString ClientComments() const;
    void SetClientComments(const QString &text);

    bool PlayPracticeBlock() const;
    void SetPlayPracticeBlock(bool value);
    // A record read from a file has been checked to hold 0..3 here.
    qint32 CurrentMdb() const;
    void SetCurrentMdb(qint32 mdb);

    TConstMdbBlock Mdb(int mdb) const;
    TMdbBlock Mdb(int mdb);

    qint32 HighTalkerLevel(int mdb) const;
    void SetHighTalkerLevel(int mdb, qint32 level);
    qint32 LowTalkerLevel(int mdb) const;
    void SetLowTalkerLevel(int mdb, qint32 level);
    bool LevelsInSpl() const;
    void SetLevelsInSpl(bool value);

private:
    std::array<char, Size> m_image{};
};
