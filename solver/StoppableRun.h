#pragma once

#include "solver/EngineProcess.h"

// What a stopped NEC2d exits with: 128 plus the signal's number, as a shell
// reports a program that a signal ended.
inline constexpr int kExitStoppedBase = 128;

// Makes TERM, INT and HUP, and an exit() in the middle of a run (Qt's X11
// connection calls it when the display goes away), end NEC2d without litter:
// every run under way is stopped, which kills and reaps nec2c, and winds down
// so that its temporary folder and unfinished listing go; then NEC2d exits,
// after a signal with kExitStoppedBase plus its number. Must be called in
// main before any other thread starts, as the signals are taken by a thread
// of their own: every thread has them blocked. A signal ignored at the start
// (as nohup does for HUP) stays ignored.
void HandleStopSignals();

// Marks a run as under way while it lives; stopping NEC2d cancels `token`.
// Made before the run makes anything temporary and ended after all of that
// is gone, so that the end of the last stopped run is where NEC2d may go.
class CStoppableRun {
  public:
    explicit CStoppableRun(CCancelToken& token);
    ~CStoppableRun();
    CStoppableRun(const CStoppableRun&) = delete;
    CStoppableRun& operator=(const CStoppableRun&) = delete;

  private:
    CCancelToken& m_token;
};
