#pragma once

class QPrinter;

// The printer settings shared by every view and the Print Setup command,
// made on first use at screen resolution, so a printout has the size of the
// drawing on the screen.
QPrinter& ApplicationPrinter();
