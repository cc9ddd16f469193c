// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPushButton;

// The room a push button's frame and margins take from its width.
int ButtonTextMargin(const QPushButton* button);

// Gives a push button its text on as many lines as its width needs: a text too wide for one line
// is broken at the blank that keeps the longest line shortest. Call after the button is sized.
void SetWrappedButtonText(QPushButton* button, const QString& text);
