#pragma once

#include <QIcon>

// Toolbar images, drawn in code on the 16 by 15 grid of the classic toolbar
// and rendered sharp at 1x, 2x and 3x for HiDPI screens. A null icon for a
// command that has no button.
QIcon MakeToolbarIcon(int commandId);

// The application icon: a dipole over its radiation pattern.
QIcon MakeApplicationIcon();
