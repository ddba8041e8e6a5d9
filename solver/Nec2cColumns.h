#pragma once

#include <string_view>
#include <vector>

#include "solver/WireTable.h"

// The fixed columns of the nec2c tables that NEC2d reformats. nec2c prints
// numbers right-aligned in fixed widths; a wide value fills its field and runs
// into the one before it, so fields are cut out by position, never by
// splitting at blanks.
struct Column {
    int begin;
    int end;
};

// The lines of nec2c's output, without their line ends.
std::vector<std::string_view> SplitLines(std::string_view text);

// The text of a field with the surrounding blanks removed; empty when the
// line is too short to reach it.
std::string_view FieldText(std::string_view line, Column column);

// A number in C syntax filling the whole text.
bool ParseDouble(std::string_view text, double& value);

// Segmentation data: SEG, X, Y, Z, LENGTH, ALPHA, BETA, RADIUS, I-, I, I+, TAG.
inline constexpr std::size_t kSegmentRowFields = 12;
bool ParseSegmentRow(std::string_view line, SegmentRecord& segment);

// Antenna input parameters: TAG, SEG, then nine numbers (voltage, current,
// impedance and admittance as real and imaginary parts, and the power).
inline constexpr int kInputRowLength = 119;
inline constexpr Column kInputTag{0, 5};
inline constexpr Column kInputSegment{5, 11};
inline constexpr Column kInputValue(int index) { return {11 + 12 * index, 23 + 12 * index}; }
inline constexpr int kInputValueCount = 9;

// Radiation pattern rows.
inline constexpr int kPatternRowLength = 119;
enum PatternField {
    PATTERN_THETA,
    PATTERN_PHI,
    PATTERN_GAIN_1,
    PATTERN_GAIN_2,
    PATTERN_GAIN_TOTAL,
    PATTERN_AXIAL_RATIO,
    PATTERN_TILT,
    PATTERN_SENSE,
    PATTERN_E_THETA_MAGNITUDE,
    PATTERN_E_THETA_PHASE,
    PATTERN_E_PHI_MAGNITUDE,
    PATTERN_E_PHI_PHASE,
    PATTERN_FIELD_COUNT
};
inline constexpr Column kPatternColumns[PATTERN_FIELD_COUNT] = {
    {0, 8},   {8, 18},  {18, 28}, {28, 37}, {37, 46},  {46, 58},
    {58, 68}, {68, 75}, {75, 87}, {87, 97}, {97, 109}, {109, 119}};
// The heading line above the rows starts with these words.
inline constexpr std::string_view kPatternUnitsHeading = " DEGREES   DEGREES";
