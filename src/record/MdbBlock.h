// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ByteImage.h"

#include <QString>

// One Modified Dual Block of the client record, as a view on the record's
// bytes. Condition index c runs 0..7 (H-Sens 15, 10, 5, 0 dB, then L-Sens);
// list slot s runs 0..15 (slot c is the practice list of condition c, slot
// 8 + c its test list).
namespace MdbBlockLayout {
constexpr qsizetype Size = 476;
constexpr int ConditionCount = 8;
constexpr int SlotCount = 16;
constexpr int FirstTestSlot = 8;

constexpr qsizetype Completed = 0;
constexpr qsizetype Selected = 1;
constexpr qsizetype Tested = 9;
constexpr qsizetype Proportion = 20;
constexpr qsizetype Rau = 84;
constexpr qsizetype Wrau = 148;
constexpr qsizetype Snr50High = 212;
constexpr qsizetype Snr50Low = 216;
constexpr TTextArea Comments{220, 256};

static_assert(Selected + ConditionCount == Tested);
static_assert(Proportion + 4 * SlotCount == Rau);
static_assert(Rau + 4 * SlotCount == Wrau);
static_assert(Wrau + 4 * SlotCount == Snr50High);
static_assert(Snr50Low + 4 == Comments.offset);
static_assert(Comments.end() == Size);
} // namespace MdbBlockLayout

// The value of every score field that holds no score.
constexpr float NoScore = -99.0f;
constexpr qint32 NoSnr50 = -99;

class TConstMdbBlock
{
public:
    explicit TConstMdbBlock(const char *block) : m_block(block) {}

    bool Completed() const;
    bool Selected(int condition) const;
    bool Tested(int condition) const;
    float Proportion(int slot) const;
    float Rau(int slot) const;
    float Wrau(int slot) const;
    qint32 Snr50High() const;
    qint32 Snr50Low() const;
    QString Comments() const;

private:
    const char *m_block;
};

class TMdbBlock : public TConstMdbBlock
{
public:
    explicit TMdbBlock(char *block) : TConstMdbBlock(block), m_block(block) {}

    void SetCompleted(bool value);
    void SetSelected(int condition, bool value);
    void SetTested(int condition, bool value);
    void SetProportion(int slot, float value);
    void SetRau(int slot, float value);
    void SetWrau(int slot, float value);
    void SetSnr50High(qint32 value);
    void SetSnr50Low(qint32 value);
    void SetComments(const QString &text);

private:
    char *m_block;
};
