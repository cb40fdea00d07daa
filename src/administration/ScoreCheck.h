// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

class TClientRecord;
class TConstMdbBlock;

// Whether a stored score is one a list can give: a proportion from 0 to 1,
// a RAU from -23 to the RAU of 1, a WRAU between those times the slot's
// weight, all finite. A client file with others (written by something
// else, or damaged) is left as it is; what cannot be a score is shown as
// ImpossibleScoreText on screen, on paper and in exports, and no graph
// draws it.
namespace ScoreCheck {

enum class TMeasure { Proportion, Rau, Wrau };

inline const QString ImpossibleScoreText = QStringLiteral("err");

bool IsPossible(TMeasure measure, float value, int mdb, int slot);
// Whether the slot of block (MDB mdb) holds a score; a slot whose proportion
// is the no-score value holds none, whatever its other fields hold.
bool IsScored(const TConstMdbBlock &block, int slot);
float ValueOf(const TConstMdbBlock &block, TMeasure measure, int slot);
// The text of a scored slot's measure (a proportion as its percentage) in
// format (ScreenScore, PrintScore), or ImpossibleScoreText.
QString Text(const TConstMdbBlock &block, int mdb, int slot, TMeasure measure,
             QString (*format)(double, const QLocale &), const QLocale &locale = QLocale());

// The test lists that hold scores no list can give, as "MDB 2 H-Sens 10 dB
// SNR, MDB 4 L-Sens 0 dB SNR"; empty when there are none.
QString ImpossibleScores(const TClientRecord &record);

} // namespace ScoreCheck
