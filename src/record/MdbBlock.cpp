// SPDX-License-Identifier: GPL-3.0-or-later
#include "MdbBlock.h"

#include "IndexCheck.h"

namespace L = MdbBlockLayout;

namespace {

qsizetype ConditionOffset(qsizetype array, int condition)
{
    return array + CheckedIndex(condition, L::ConditionCount, "condition");
}

qsizetype SlotOffset(qsizetype array, int slot)
{
    return array + 4 * CheckedIndex(slot, L::SlotCount, "list slot");
}

} // namespace

bool TConstMdbBlock::Completed() const { return ByteImage::ReadFlag(m_block, L::Completed); }
bool TConstMdbBlock::Selected(int c) const { return ByteImage::ReadFlag(m_block, ConditionOffset(L::Selected, c)); }
bool TConstMdbBlock::Tested(int c) const { return ByteImage::ReadFlag(m_block, ConditionOffset(L::Tested, c)); }
float TConstMdbBlock::Proportion(int s) const { return ByteImage::ReadFloat(m_block, SlotOffset(L::Proportion, s)); }
float TConstMdbBlock::Rau(int s) const { return ByteImage::ReadFloat(m_block, SlotOffset(L::Rau, s)); }
float TConstMdbBlock::Wrau(int s) const { return ByteImage::ReadFloat(m_block, SlotOffset(L::Wrau, s)); }
qint32 TConstMdbBlock::Snr50High() const { return ByteImage::ReadInt32(m_block, L::Snr50High); }
qint32 TConstMdbBlock::Snr50Low() const { return ByteImage::ReadInt32(m_block, L::Snr50Low); }
QString TConstMdbBlock::Comments() const { return ByteImage::ReadText(m_block, L::Comments); }

void TMdbBlock::SetCompleted(bool v) { ByteImage::WriteFlag(m_block, L::Completed, v); }
void TMdbBlock::SetSelected(int c, bool v) { ByteImage::WriteFlag(m_block, ConditionOffset(L::Selected, c), v); }
void TMdbBlock::SetTested(int c, bool v) { ByteImage::WriteFlag(m_block, ConditionOffset(L::Tested, c), v); }
void TMdbBlock::SetProportion(int s, float v) { ByteImage::WriteFloat(m_block, SlotOffset(L::Proportion, s), v); }
void TMdbBlock::SetRau(int s, float v) { ByteImage::WriteFloat(m_block, SlotOffset(L::Rau, s), v); }
void TMdbBlock::SetWrau(int s, float v) { ByteImage::WriteFloat(m_block, SlotOffset(L::Wrau, s), v); }
void TMdbBlock::SetSnr50High(qint32 v) { ByteImage::WriteInt32(m_block, L::Snr50High, v); }
void TMdbBlock::SetSnr50Low(qint32 v) { ByteImage::WriteInt32(m_block, L::Snr50Low, v); }
void TMdbBlock::SetComments(const QString &text) { ByteImage::WriteLines(m_block, L::Comments, text); }
