// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/ClientRecord.h"
#include "record/Windows1252.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

#include <QtEndian>

#include <bit>
#include <cstring>
#include <functional>

namespace {

const QLocale UnitedStates(QLocale::English, QLocale::UnitedStates);
const QDate Today(2026, 12, 8);

TClientRecord NewRecord()
{
    TClientRecord record;
    record.InitNewRecord(Today, UnitedStates);
    return record;
}

QByteArray Bytes(const TClientRecord &record)
{
    return record.Image().toByteArray();
}

void PutInt(QByteArray &image, int offset, qint32 value)
{
    qToLittleEndian<qint32>(value, image.data() + offset);
}

void PutFloat(QByteArray &image, int offset, float value)
{
    qToLittleEndian<quint32>(std::bit_cast<quint32>(value), image.data() + offset);
}

TEST(ClientRecord, NewRecordHasTheGoldenBytes)
{
    const TClientRecord record = NewRecord();
    const QByteArray actual = Bytes(record);
    ASSERT_EQ(actual.size(), 2328);

    QByteArray expected(2328, '\0');
    std::memcpy(expected.data(), "VEKTEST2", 9);
    std::memcpy(expected.data() + 69, "12/8/26", 8);
    expected[380] = 1;
    const qint32 mdb = qFromLittleEndian<qint32>(actual.constData() + 384);
    EXPECT_GE(mdb, 0);
    EXPECT_LE(mdb, 3);
    PutInt(expected, 384, mdb);
    for (int m = 0; m < 4; ++m) {
        const int block = 388 + 476 * m;
        for (int i = 0; i < 48; ++i)
            PutFloat(expected, block + 20 + 4 * i, -99.0f);
        PutInt(expected, block + 212, -99);
        PutInt(expected, block + 216, -99);
        PutInt(expected, 2292 + 4 * m, 70);
        PutInt(expected, 2308 + 4 * m, 40);
    }
    EXPECT_EQ(actual.toHex(), expected.toHex());
}

TEST(ClientRecord, NewTestDateIsTheLocalesShortDateOrWholeISODate)
{
    const QDate day(2024, 5, 17);
    const auto testDate = [&](const QLocale &locale) {
        TClientRecord record;
        record.InitNewRecord(day, locale);
        return record.TestDate();
    };
    EXPECT_EQ(testDate(QLocale(QLocale::German, QLocale::Germany)), "17.05.24");
    // The C locale's "17 May 2024" does not fit; cut, it would be a wrong date.
    EXPECT_EQ(testDate(QLocale::c()), "2024-05-17");
    // Bengali digits have no place in the file's code page: "??/?/??" is no date.
    EXPECT_EQ(testDate(QLocale(QLocale::Bangla, QLocale::Bangladesh)), "2024-05-17");
}

TEST(ClientRecord, NewRecordReadsAsANewClient)
{
    const TClientRecord record = NewRecord();
    EXPECT_EQ(record.Signature(), "VEKTEST2");
    EXPECT_EQ(record.TestDate(), "12/8/26");
    EXPECT_TRUE(record.PlayPracticeBlock());
    EXPECT_FALSE(record.LevelsInSpl());
    for (int m = 0; m < 4; ++m) {
        const TConstMdbBlock block = record.Mdb(m);
        EXPECT_FALSE(block.Completed());
        for (int c = 0; c < 8; ++c) {
            EXPECT_FALSE(block.Selected(c));
            EXPECT_FALSE(block.Tested(c));
        }
        for (int s = 0; s < 16; ++s) {
            EXPECT_EQ(block.Proportion(s), -99.0f);
            EXPECT_EQ(block.Rau(s), -99.0f);
            EXPECT_EQ(block.Wrau(s), -99.0f);
        }
        EXPECT_EQ(block.Snr50High(), -99);
        EXPECT_EQ(block.Snr50Low(), -99);
        EXPECT_EQ(record.HighTalkerLevel(m), 70);
        EXPECT_EQ(record.LowTalkerLevel(m), 40);
    }
}

TEST(ClientRecord, NewRecordClearsWhatWasThere)
{
    TClientRecord record;
    record.SetImage(QByteArray(2328, '\x5a'));
    record.InitNewRecord(Today, UnitedStates);
    EXPECT_EQ(Bytes(record), Bytes(NewRecord()).replace(384, 4, Bytes(record).mid(384, 4)));
}

struct TTextField
{
    const char *name;
    int offset;
    int size;
    std::function<void(TClientRecord &, const QString &)> set;
    std::function<QString(const TClientRecord &)> get;

    friend void PrintTo(const TTextField &p, std::ostream *os) { *os << p.name; }
};

class TextFields : public ::testing::TestWithParam<TTextField>
{
};

// Each text lands at its offset, is cut to its area less one byte, and never
// touches the bytes around its area.
TEST_P(TextFields, LandAtTheirOffsetAndAreCutToTheirArea)
{
    const TTextField field = GetParam();
    TClientRecord record;
    record.SetImage(QByteArray(2328, '\x7e'));
    const QString longText = QString(field.size + 5, u'A');
    field.set(record, longText);
    const QByteArray image = Bytes(record);

    EXPECT_EQ(field.get(record), QString(field.size - 1, u'A')) << field.name;
    EXPECT_EQ(image.mid(field.offset, field.size - 1), QByteArray(field.size - 1, 'A')) << field.name;
    EXPECT_EQ(image[field.offset + field.size - 1], '\0') << field.name;
    EXPECT_EQ(image[field.offset - 1], '\x7e') << field.name;
    EXPECT_EQ(image[field.offset + field.size], '\x7e') << field.name;
}

// A shorter text writes its bytes and one zero; the rest of the area keeps
// what it held, so a loaded file saves back unchanged.
TEST_P(TextFields, KeepTheRestOfTheirArea)
{
    const TTextField field = GetParam();
    TClientRecord record;
    record.SetImage(QByteArray(2328, '\x7e'));
    field.set(record, QStringLiteral("J"));
    QByteArray expected(field.size, '\x7e');
    expected[0] = 'J';
    expected[1] = '\0';
    EXPECT_EQ(Bytes(record).mid(field.offset, field.size), expected) << field.name;
    EXPECT_EQ(field.get(record), "J");
}

// A damaged file may hold a text without its zero: it ends with its area.
TEST_P(TextFields, WithoutZeroByteEndAtTheirArea)
{
    const TTextField field = GetParam();
    TClientRecord record;
    record.SetImage(QByteArray(2328, 'B'));
    EXPECT_EQ(field.get(record), QString(field.size, u'B')) << field.name;
}

INSTANTIATE_TEST_SUITE_P(
    ClientRecord, TextFields,
    ::testing::Values(
        TTextField{"LastName", 20, 18, &TClientRecord::SetLastName, &TClientRecord::LastName},
        TTextField{"FirstName", 38, 18, &TClientRecord::SetFirstName, &TClientRecord::FirstName},
        TTextField{"MiddleInitial", 56, 2, &TClientRecord::SetMiddleInitial, &TClientRecord::MiddleInitial},
        TTextField{"IdNumber", 58, 11, &TClientRecord::SetIdNumber, &TClientRecord::IdNumber},
        TTextField{"TestDate", 69, 11, &TClientRecord::SetTestDate, &TClientRecord::TestDate},
        TTextField{"DateOfBirth", 80, 17, &TClientRecord::SetDateOfBirth, &TClientRecord::DateOfBirth},
        TTextField{"Clinician", 97, 25, &TClientRecord::SetClinician, &TClientRecord::Clinician},
        TTextField{"ClientComments", 122, 256, &TClientRecord::SetClientComments, &TClientRecord::ClientComments},
        TTextField{"Mdb1Comments", 388 + 220, 256, [](TClientRecord &r, const QString &t) { r.Mdb(0).SetComments(t); },
                   [](const TClientRecord &r) { return r.Mdb(0).Comments(); }},
        TTextField{"Mdb4Comments", 388 + 3 * 476 + 220, 256,
                   [](TClientRecord &r, const QString &t) { r.Mdb(3).SetComments(t); },
                   [](const TClientRecord &r) { return r.Mdb(3).Comments(); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ClientRecord, NameOfSeventeenCharactersFits)
{
    TClientRecord record = NewRecord();
    record.SetLastName(QStringLiteral("Abcdefghijklmnopq"));
    record.SetMiddleInitial(QStringLiteral("Q"));
    EXPECT_EQ(record.LastName(), "Abcdefghijklmnopq");
    EXPECT_EQ(record.MiddleInitial(), "Q");
}

TEST(ClientRecord, TextsAreWindows1252)
{
    TClientRecord record = NewRecord();
    record.SetLastName(QStringLiteral("Müller"));
    record.SetFirstName(QStringLiteral("José"));
    record.SetClinician(QStringLiteral("€ Ω 😀 Œuvre"));
    EXPECT_EQ(record.LastName(), QStringLiteral("Müller"));
    EXPECT_EQ(record.FirstName(), QStringLiteral("José"));
    EXPECT_EQ(record.Clinician(), QStringLiteral("€ ? ? Œuvre"));
    const QByteArray image = Bytes(record);
    EXPECT_EQ(image.mid(20, 7), QByteArray("M\xfcller\0", 7));
    EXPECT_EQ(image.mid(97, 2), QByteArray("\x80 "));
}

TEST(ClientRecord, CodePageTellsWhatItCanHold)
{
    // An undefined byte decodes to the C1 control of its value and back.
    EXPECT_TRUE(Windows1252::CanHold(QStringLiteral("Müller, José? € Œ ") + QChar(0x81)));
    EXPECT_FALSE(Windows1252::CanHold(QStringLiteral("Łukasz")));
    EXPECT_FALSE(Windows1252::CanHold(QStringLiteral("😀")));
    EXPECT_FALSE(Windows1252::CanHold(QString(QChar(0xD800)))); // a lone surrogate
}

TEST(ClientRecord, EveryByteDecodesAndEncodesBack)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            all.append(char(b));
    }
    QByteArray image(2328, '\0');
    std::memcpy(image.data() + 122, all.constData(), all.size());
    TClientRecord loaded;
    loaded.SetImage(image);

    TClientRecord written;
    written.SetClientComments(loaded.ClientComments());
    EXPECT_EQ(Bytes(written).mid(122, all.size() + 1), all + '\0');
}

TEST(ClientRecord, CommentsKeepLineBreaksAsCrLf)
{
    TClientRecord record = NewRecord();
    record.SetClientComments(QStringLiteral("first\nsecond\r\nthird\rfourth"));
    EXPECT_EQ(record.ClientComments(), QStringLiteral("first\r\nsecond\r\nthird\r\nfourth"));

    // A cut that would keep only the CR of a line break drops it.
    record.Mdb(2).SetComments(QString(254, u'x') + QStringLiteral("\nmore"));
    EXPECT_EQ(record.Mdb(2).Comments(), QString(254, u'x'));
}

TEST(ClientRecord, BlockFieldsLandAtTheirOffsets)
{
    for (int m = 0; m < 4; ++m) {
        TClientRecord record;
        TMdbBlock block = record.Mdb(m);
        const int base = 388 + 476 * m;
        block.SetCompleted(true);
        block.SetSelected(7, true);
        block.SetTested(0, true);
        block.SetProportion(15, 0.5f);
        block.SetRau(0, 2.0f);
        block.SetWrau(8, -4.0f);
        block.SetSnr50High(-7);
        block.SetSnr50Low(12);
        record.SetHighTalkerLevel(m, 81);
        record.SetLowTalkerLevel(m, -3);

        QByteArray expected(2328, '\0');
        expected[base] = 1;
        expected[base + 1 + 7] = 1;
        expected[base + 9] = 1;
        PutFloat(expected, base + 20 + 4 * 15, 0.5f);
        PutFloat(expected, base + 84, 2.0f);
        PutFloat(expected, base + 148 + 4 * 8, -4.0f);
        PutInt(expected, base + 212, -7);
        PutInt(expected, base + 216, 12);
        PutInt(expected, 2292 + 4 * m, 81);
        PutInt(expected, 2308 + 4 * m, -3);
        EXPECT_EQ(Bytes(record).toHex(), expected.toHex()) << "MDB " << m + 1;
    }
}

TEST(ClientRecord, FlagsCountOnlyWhenExactlyOne)
{
    QByteArray image(2328, '\0');
    image[380] = 2;
    image[2324] = 1;
    image[388 + 1] = char(0xff);
    TClientRecord record;
    record.SetImage(image);
    EXPECT_FALSE(record.PlayPracticeBlock());
    EXPECT_TRUE(record.LevelsInSpl());
    EXPECT_FALSE(record.Mdb(0).Selected(0));
}

TEST(ClientRecord, IndexesOutsideTheRecordAreRefused)
{
    TClientRecord record = NewRecord();
    const QByteArray before = Bytes(record);
    EXPECT_THROW(record.Mdb(4), std::out_of_range);
    EXPECT_THROW(record.Mdb(-1), std::out_of_range);
    EXPECT_THROW(record.Mdb(0).SetProportion(16, 1.0f), std::out_of_range);
    EXPECT_THROW(record.Mdb(3).SetSelected(8, true), std::out_of_range);
    EXPECT_THROW(record.SetCurrentMdb(4), std::out_of_range);
    EXPECT_THROW(record.SetHighTalkerLevel(4, 1), std::out_of_range);
    EXPECT_THROW(record.SetImage(QByteArray(100, '\0')), std::invalid_argument);
    EXPECT_EQ(Bytes(record), before);
}

} // namespace
