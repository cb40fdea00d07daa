#pragma once

// The forms are laid out for "MS Sans Serif" and "Arial"; both resolve to
// Liberation Sans, whose metrics match Arial's, so that texts fit as designed.
void InstallFontSubstitutions();
