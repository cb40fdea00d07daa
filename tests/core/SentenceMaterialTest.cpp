// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMaterial.h"
#include "administration/RunList.h"
#include "administration/SentenceMaterial.h"
#include "record/ClientRecord.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstring>

namespace {

TSentenceMaterial Load(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TSentenceMaterial material;
    material.LoadPassages(buffer);
    return material;
}

// Byte offset of passage id in TestMaterial().
qsizetype PassageAt(qint32 id)
{
    return MaterialIds().indexOf(id) * 800;
}

bool AnyProblemContains(const TSentenceMaterial &material, const QString &text)
{
    return std::any_of(material.Problems().begin(), material.Problems().end(),
                       [&](const QString &p) { return p.contains(text); });
}

TEST(SentenceMaterial, CompleteMaterialLoadsWithoutProblems)
{
    const TSentenceMaterial material = Load(TestMaterial());
    EXPECT_TRUE(material.Status()) << material.Status().message().toStdString();
    EXPECT_TRUE(material.Problems().isEmpty()) << material.Problems().join('\n').toStdString();
    const auto passage = material.FindPassage(53);
    ASSERT_TRUE(passage);
    EXPECT_EQ(passage->Text(4), TestSentences(53)[4].Text);
    EXPECT_FALSE(material.FindPassage(99));
}

// The passage layout read at its offsets, from bytes laid out by hand.
TEST(SentenceMaterial, PassageFieldsAreReadAtTheirOffsets)
{
    QByteArray bytes(800, '\0');
    qToLittleEndian<qint32>(42, bytes.data());
    std::memcpy(bytes.data() + 4 + 60 * 3, "the SOURCE of the HUGE RIVER is the CLEAR SPRING", 49);
    std::memcpy(bytes.data() + 304 + 75 * 3 + 15 * 4, "SPRING", 7);
    const qint32 positions[] = {7, 1, 15, 7, 1, 19};
    for (int v = 0; v < 6; ++v)
        qToLittleEndian<qint32>(positions[v], bytes.data() + 680 + 24 * 2 + 4 * v);

    const TPassageRecord passage(bytes.constData());
    EXPECT_EQ(passage.Id(), 42);
    EXPECT_EQ(passage.Text(3), "the SOURCE of the HUGE RIVER is the CLEAR SPRING");
    EXPECT_EQ(passage.KeyWord(3, 4), "SPRING");
    EXPECT_EQ(passage.Start(2), (TCdTime{7, 1, 15}));
    EXPECT_EQ(passage.End(2), (TCdTime{7, 1, 19}));
    EXPECT_EQ(EncodePassage(42, {}).size(), 800);
}

TEST(SentenceMaterial, BytesAfterTheLastPassageAreIgnored)
{
    const TSentenceMaterial material = Load(TestMaterial() + QByteArray(1234, '\xff'));
    EXPECT_TRUE(material.Status());
    EXPECT_TRUE(material.Problems().isEmpty());
}

TEST(SentenceMaterial, MissingFileIsDiagnosed)
{
    QTemporaryDir dir;
    TSentenceMaterial material;
    const TStatus status = material.LoadPassages(dir.filePath(QStringLiteral("VEKPSGS.DAT")));
    ASSERT_FALSE(status);
    EXPECT_TRUE(status.message().startsWith(QStringLiteral("The sentence material file VEKPSGS.DAT cannot be opened")));
    EXPECT_FALSE(material.FindPassage(11));
}

TEST(SentenceMaterial, ShortMaterialIsDiagnosedAndNeverReadPastItsEnd)
{
    for (const qsizetype size : {0, 799, 800 * 71, 800 * 72 - 1}) {
        const TSentenceMaterial material = Load(TestMaterial().left(size));
        ASSERT_FALSE(material.Status()) << size;
        EXPECT_EQ(material.Status().message(),
                  QStringLiteral("The sentence material file VEKPSGS.DAT holds %1 whole passages, but 72 are needed.")
                      .arg(size / 800));
        // The last id of the file is in no whole passage.
        EXPECT_FALSE(material.FindPassage(98)) << size;
    }
}

TEST(SentenceMaterial, TextsWithoutTheirZeroByteMakeItUnusable)
{
    QByteArray bytes = TestMaterial();
    const qsizetype passage = PassageAt(21);
    std::memset(bytes.data() + passage + 4 + 60 * 2, 'a', 60);
    std::memset(bytes.data() + passage + 304 + 75 * 4 + 15 * 1, 'B', 15);
    const TSentenceMaterial material = Load(bytes);
    ASSERT_FALSE(material.Status());
    EXPECT_EQ(material.Status().message(), QStringLiteral("The sentence material file VEKPSGS.DAT, passage %1 (id 21), "
                                                          "sentence 3: the text has no terminating zero byte.")
                                               .arg(MaterialIds().indexOf(21) + 1));
    EXPECT_TRUE(AnyProblemContains(material, QStringLiteral("sentence 5: key word 2 has no terminating zero byte.")));
    // Even so, nothing is read beyond the area.
    EXPECT_EQ(material.FindPassage(21)->Text(2), QString(60, u'a'));
}

// A position is played as one byte each of track, minutes and seconds: one
// that is no time on a CD would play some other stretch, so it is refused.
TEST(SentenceMaterial, PositionsThatAreNoTimeOnACdMakeItUnusable)
{
    QByteArray bytes = TestMaterial();
    TPassageSentences sentences = TestSentences(21);
    sentences[2].Start.Minutes = 256;
    sentences[3].End.Seconds = 60;
    sentences[4].Start.Track = 0;
    bytes.replace(PassageAt(21), 800, EncodePassage(21, sentences));
    const TSentenceMaterial material = Load(bytes);
    ASSERT_FALSE(material.Status());
    EXPECT_EQ(material.Status().message(), QStringLiteral("The sentence material file VEKPSGS.DAT, passage %1 (id 21), "
                                                          "sentence 3: the stretch starts at track 2, 256:08, which "
                                                          "is no time on a CD.")
                                               .arg(MaterialIds().indexOf(21) + 1));
    EXPECT_TRUE(AnyProblemContains(material, QStringLiteral("sentence 4: the stretch ends at track 2, 2:60, which")));
    EXPECT_TRUE(AnyProblemContains(material, QStringLiteral("sentence 5: the stretch starts at track 0, 2:16, which")));
}

TEST(SentenceMaterial, TheLastTimeOnACdIsUsable)
{
    QByteArray bytes = TestMaterial();
    TPassageSentences sentences = TestSentences(21);
    sentences[1].Start = {99, 99, 58};
    sentences[1].End = {99, 99, 59};
    bytes.replace(PassageAt(21), 800, EncodePassage(21, sentences));
    const TSentenceMaterial material = Load(bytes);
    EXPECT_TRUE(material.Status()) << material.Status().message().toStdString();
    EXPECT_TRUE(material.Problems().isEmpty());
}

TEST(SentenceMaterial, PassageThatAListNeedsMustBeThere)
{
    QByteArray bytes = TestMaterial();
    qToLittleEndian<qint32>(99, bytes.data() + PassageAt(53));
    const TSentenceMaterial material = Load(bytes);
    ASSERT_FALSE(material.Status());
    EXPECT_EQ(material.Status().message(), QStringLiteral("The sentence material file VEKPSGS.DAT lacks passage 53, "
                                                          "which the test list of H-Sens 5 dB in MDB 1 uses."));
}

TEST(SentenceMaterial, FirstOfTwoPassagesWithOneIdIsUsed)
{
    QByteArray bytes = TestMaterial();
    // Passage 12 takes the place of passage 11, which comes first in the file.
    bytes.replace(PassageAt(11), 800, EncodePassage(12, TestSentences(99)));
    const TSentenceMaterial material = Load(bytes);
    EXPECT_EQ(material.FindPassage(12)->Text(0), TestSentences(99)[0].Text);
    EXPECT_TRUE(AnyProblemContains(material, QStringLiteral("lacks passage 11")));
}

TEST(SentenceMaterial, SpoiltSentencesAreListedButLeaveItUsable)
{
    QByteArray bytes = TestMaterial();
    TPassageSentences sentences = TestSentences(37);
    sentences[1].KeyWords[2] = QStringLiteral("MISSING");
    sentences[3].End = sentences[3].Start;
    bytes.replace(PassageAt(37), 800, EncodePassage(37, sentences));
    const TSentenceMaterial material = Load(bytes);
    EXPECT_TRUE(material.Status());
    ASSERT_EQ(material.Problems().size(), 2) << material.Problems().join('\n').toStdString();
    EXPECT_TRUE(material.Problems()[0].endsWith(QStringLiteral("sentence 2: key word 3 \"MISSING\" does not occur in "
                                                               "the text \"%1\".")
                                                    .arg(sentences[1].Text)));
    EXPECT_TRUE(material.Problems()[1].endsWith(QStringLiteral("sentence 4: the stretch ends at track 8, 3:12 but "
                                                               "starts at track 8, 3:12.")));
}

// Every field of every passage unterminated and off the disc, and no list's
// passage there: the first unusable problem leads, the rest past the listed
// ones are counted, none lost.
TEST(SentenceMaterial, ThousandsOfProblemsAreCountedNotAllListed)
{
    const TSentenceMaterial material = Load(QByteArray(TSentenceMaterial::FileSize, 'x'));
    EXPECT_FALSE(material.Status());
    const QStringList &problems = material.Problems();
    ASSERT_EQ(problems.size(), TSentenceMaterial::MaxListedProblems + 1);
    EXPECT_TRUE(problems.first().endsWith(QStringLiteral("sentence 1: the text has no terminating zero byte.")));
    // Per sentence a text, five key words and two times; then 72 missing ids.
    const int found = 72 * 5 * 8 + 72;
    EXPECT_EQ(problems.last(),
              QStringLiteral("%1 further problems are not listed.").arg(found - TSentenceMaterial::MaxListedProblems));
}

TEST(SentenceMaterial, KeyWordsAreFoundAsWholeWordsCaseSensitively)
{
    const QString text = QStringLiteral("the SOURCE of the HUGE RIVER is the CLEAR SPRING");
    EXPECT_EQ(FindKeyWord(text, QStringLiteral("SOURCE")), 4);
    EXPECT_EQ(FindKeyWord(text, QStringLiteral("SPRING")), 42);
    EXPECT_EQ(FindKeyWord(QStringLiteral("BIG dog"), QStringLiteral("BIG")), 0);
    EXPECT_EQ(FindKeyWord(text, QStringLiteral("RIVE")), -1);
    EXPECT_EQ(FindKeyWord(text, QStringLiteral("river")), -1);
    EXPECT_EQ(FindKeyWord(text, QString()), -1);
}

TClientRecord Selecting(int mdb, std::initializer_list<int> conditions, bool practice)
{
    TClientRecord record;
    record.InitNewRecord(QDate(2026, 1, 1), QLocale::c());
    record.SetCurrentMdb(mdb);
    record.SetPlayPracticeBlock(practice);
    for (const int c : conditions)
        record.Mdb(mdb).SetSelected(c, true);
    return record;
}

TEST(RunList, AlternatesPracticeAndTestListsInConditionOrder)
{
    const TRunList run = BuildRunList(Selecting(1, {7, 1}, true));
    ASSERT_EQ(run.PageCount, 4);
    EXPECT_EQ(run.Page(1), (TRunEntry{72, -1, 1, 5}));
    EXPECT_EQ(run.Page(2), (TRunEntry{32, 82, 9, 10}));
    EXPECT_EQ(run.Page(3), (TRunEntry{18, -1, 7, 5}));
    EXPECT_EQ(run.Page(4), (TRunEntry{28, 68, 15, 10}));
    EXPECT_THROW(run.Page(5), std::out_of_range);
}

TEST(RunList, WithoutPracticeHoldsTheTestListsOnly)
{
    const TRunList run = BuildRunList(Selecting(1, {1, 7}, false));
    ASSERT_EQ(run.PageCount, 2);
    EXPECT_EQ(run.Page(1).ListSlot, 9);
    EXPECT_EQ(run.Page(2).ListSlot, 15);
}

TEST(RunList, CountsEveryConditionAndNone)
{
    EXPECT_EQ(BuildRunList(Selecting(3, {0, 1, 2, 3, 4, 5, 6, 7}, true)).PageCount, 16);
    EXPECT_EQ(BuildRunList(Selecting(3, {0, 1, 2, 3, 4, 5, 6, 7}, false)).PageCount, 8);
    EXPECT_EQ(BuildRunList(Selecting(0, {}, true)).PageCount, 0);
    // Only the current MDB's selection counts.
    TClientRecord record = Selecting(0, {}, true);
    record.Mdb(2).SetSelected(0, true);
    EXPECT_EQ(BuildRunList(record).PageCount, 0);
}

TEST(LoadPage, FillsTestAndPracticePages)
{
    const TSentenceMaterial material = Load(TestMaterial());
    const TRunList run = BuildRunList(Selecting(1, {1}, true));
    TPage page;

    ASSERT_TRUE(LoadPage(material, run.Page(2), page));
    EXPECT_EQ(page.SentenceCount, 10);
    EXPECT_EQ(page.Sentences[0].Text, TestSentences(32)[0].Text);
    EXPECT_EQ(page.Sentences[9].KeyWords[4], TestSentences(82)[4].KeyWords[4]);
    EXPECT_EQ(page.Sentences[7].Start, TestSentences(82)[2].Start);
    page.Sentences[0].Played = true;

    ASSERT_TRUE(LoadPage(material, run.Page(1), page));
    EXPECT_EQ(page.SentenceCount, 5);
    EXPECT_EQ(page.Sentences[0].Text, TestSentences(72)[0].Text);
    EXPECT_FALSE(page.Sentences[0].Played);
    // Sentences past the count keep what they held and are not shown.
    EXPECT_EQ(page.Sentences[9].Text, TestSentences(82)[4].Text);
}

TEST(LoadPage, PassageMissingFromTheMaterialIsAnError)
{
    const TSentenceMaterial material = Load(TestMaterial().left(800));
    TPage page;
    EXPECT_FALSE(LoadPage(material, TRunEntry{72, -1, 1, 5}, page));
}

} // namespace
