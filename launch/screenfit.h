// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_LAUNCH_SCREENFIT_H
#define RARUDOR_LAUNCH_SCREENFIT_H

class QWidget;

// Fits a top-level window with a layout to the screen it is about to open
// on, before it is shown. Its size and minimum grow to what the layout needs
// at that screen's DPI, so that no text is cut, and never fall below what
// they were; but neither exceeds the screen's available area, and the
// window, frame included, is placed fully on that area. The screen is the
// one QDialog would centre the window on.
void fitToScreen(QWidget &window);

#endif // RARUDOR_LAUNCH_SCREENFIT_H
