// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

// Refuses a character the client file cannot hold: stored, it would become
// '?' ("Łukasz" saved as "?ukasz") without anyone noticing.
class TCodePageValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString &input, int &position) const override;
};
