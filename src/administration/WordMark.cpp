// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordMark.h"

TWordMark MarkAfterRelease(TWordMark mark, TMarkButton button)
{
    switch (button) {
    case TMarkButton::Left:
        return mark == TWordMark::Correct ? TWordMark::HalfCorrect : TWordMark::Correct;
    case TMarkButton::Right:
        return mark == TWordMark::Wrong ? TWordMark::HalfCorrect : TWordMark::Wrong;
    case TMarkButton::Other:
        break;
    }
    return mark;
}

float MarkCredit(TWordMark mark)
{
    switch (mark) {
    case TWordMark::Correct:
        return 1.0f;
    case TWordMark::HalfCorrect:
        return 0.5f;
    case TWordMark::NotPlayed:
    case TWordMark::Wrong:
        break;
    }
    return 0.0f;
}
