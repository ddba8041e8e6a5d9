#pragma once

// The frequency sweep of one deck (the FR card). The defaults are what a new
// editor view offers: one frequency of 1 MHz, whose wavelength is 300 m.
struct FrequencySettings {
    int m_nSteps = 0;             // number of frequencies; 0 means one
    float m_increment = 0.0f;     // MHz per step
    float m_wavelength = 300.0f;  // metres; shown for information, never written
    float m_frequency = 1.0f;     // initial frequency in MHz
};

// Free-space wavelength in metres of a frequency in MHz, taking the speed of
// light as 300 m per microsecond. Single precision, so 14.2 MHz gives 21.1268.
inline float WavelengthOf(float frequencyMHz) { return 300.0f / frequencyMHz; }

// The far-field request of one deck (the RP card). The defaults ask for a
// pattern every 10 degrees over theta 0 to 180 and phi 0 to 360.
struct PatternSettings {
    int m_averaging = 0;      // A digit of XNDA, 0 to 2
    int m_gain = 0;           // D digit, 0 to 1
    int m_mode = 0;           // 0 to 6
    int m_normalization = 0;  // N digit, 0 to 5
    int m_outputFormat = 0;   // X digit, 0 to 1
    int m_nPhi = 37;
    float m_phiStart = 0.0f;  // degrees
    float m_phiStep = 10.0f;
    int m_nTheta = 19;
    float m_thetaStart = 0.0f;
    float m_thetaStep = 10.0f;
};
