// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// The About box: logo, title, credits, acknowledgement and rights. It frees
// itself when it closes.
class TfmAboutScreen : public QDialog
{
    Q_OBJECT

public:
    explicit TfmAboutScreen(QWidget *parent = nullptr);
};
