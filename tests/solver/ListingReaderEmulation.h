#pragma once

#include <array>
#include <string>
#include <vector>

// An independent reading of a listing's bytes the way Quadrell's listing
// reader takes them: raw-byte skips, character reads that deliver CR LF as one
// line feed, line reads that stop at the line feed or after limit - 1
// characters, first tokens separated by blanks only, and atof for numbers.
// Every search stops at the end of the file and says so.
struct EmulatedListing {
    bool complete = false;  // "RUN TIME =" 22 bytes before the end

    bool impedanceFound = false;
    std::string impedanceRealText;  // 12 characters as read
    std::string impedanceImagText;

    bool wireTableFound = false;
    std::vector<std::array<float, 6>> wires;  // X1 Y1 Z1 X2 Y2 Z2 per row

    bool patternFound = false;
    bool patternEnded = false;  // the seven line feeds and " **" were met
    std::vector<float> theta;   // degrees, as read
    std::vector<float> phi;
    std::vector<float> eTheta;
    std::vector<float> ePhi;
};

EmulatedListing ReadLikeQuadrell(const std::string& bytes);

// The byte offsets at which each marker is first found by the reader's
// searches, or -1: the start of the line read holding "TAG" (limit 80),
// "WIRE" (limit 118) and the " DEGREES  DEGREES" piece (limit 18).
struct MarkerOffsets {
    long tag = -1;
    long wire = -1;
    long degrees = -1;
};
MarkerOffsets FindMarkers(const std::string& bytes);

std::string ReadFileBytes(const std::string& path);
