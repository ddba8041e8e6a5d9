#pragma once

#include <array>
#include <string>
#include <string_view>

#include "solver/Nec2cColumns.h"
#include "solver/WireTable.h"

// The fixed layout of the NEC2d listing, line by line (line ends are added by
// the writer). Quadrell's listing reader finds its data at fixed places:
// - the wire table: a line whose first token is "WIRE", one heading line, one
//   row per wire whose first seven blank-separated tokens are the wire number
//   and X1 Y1 Z1 X2 Y2 Z2, and a blank line after the last row;
// - the input parameters: a header line whose first token is "TAG", at least
//   79 characters long, one heading line of at most 116 characters, then the
//   first excitation's row with the impedance in columns 63-74 (real part) and
//   75-86 (imaginary part);
// - each pattern table: a units line of 118 characters beginning with
//   " DEGREES  DEGREES", rows of exactly 120 characters with theta in columns
//   0-9, phi in 10-19 and the E-theta and E-phi magnitudes in 77-88 and
//   101-112, then seven empty lines and a line beginning " **";
// - the last line, "RUN TIME =" and ten characters of run time.
// The reader looks for those markers with line reads that stop at 79, 117 or
// 17 characters, so every other line is kept from matching them.

inline constexpr int kListingPatternRowLength = 120;
inline constexpr int kListingPatternUnitsLength = 118;
inline constexpr int kListingPatternEndBlankLines = 7;
inline constexpr int kListingImpedanceColumn = 63;

std::string WireTableHeaderLine();
std::string WireTableHeadingLine();
std::string WireTableRow(long number, const WireRow& wire);

std::string InputTableHeaderLine();
std::string InputTableHeadingLine();
// nec2c's texts for TAG, SEG and the nine values of one row.
std::string InputTableRow(std::string_view tag, std::string_view segment,
                          const std::array<std::string_view, kInputValueCount>& values);

// gainsTitle is nec2c's "----- POWER GAINS -----" or "--- DIRECTIVE GAINS ---";
// the gain labels are its "VERTC"/"HORIZ" or "MAJOR"/"MINOR".
std::string PatternHeadingLine(std::string_view gainsTitle);
std::string PatternLabelLine(std::string_view gain1Label, std::string_view gain2Label);
std::string PatternUnitsLine();
using PatternRowTexts = std::array<std::string_view, PATTERN_FIELD_COUNT>;
using PatternRowBuffer = std::array<char, kListingPatternRowLength>;
void FormatPatternRow(const PatternRowTexts& texts, PatternRowBuffer& row);
std::string PatternEndLine(long directions);

std::string RunTimeLine(double seconds);

// True when the line, read with the reader's line reads, would be taken for
// the "TAG", "WIRE" or " DEGREES  DEGREES" marker.
bool TripsListingMarker(std::string_view line);
// Text copied from nec2c or from the user's deck: a line that would trip a
// marker is written in lower case, which no marker matches.
std::string LowerCased(std::string_view line);
