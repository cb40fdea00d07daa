// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The user's own settings folder, ~/.config/AVEK: the recent clients and the
// file dialog's history. Both name clients and their folders, so the folder
// and the files are the user's alone.
namespace UserSettings {

QString Folder();

// Qt's file dialog keeps the folders it visited in a settings file every Qt
// program reads (~/.config/QtProject.conf); this sends it to AVEK's folder
// instead, made private first. Call it before any dialog is shown.
void KeepQtSettingsWithAvek();

} // namespace UserSettings
