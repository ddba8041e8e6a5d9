#pragma once

// Something a command can be routed to: the active editor view, its document,
// its child frame, the main frame, the application, in that order. The first
// target that handles a command wins; a command nobody reachable handles is
// shown disabled.
class CCmdTarget {
  public:
    virtual ~CCmdTarget() = default;

    // True when this target handles `id`. With `execute` it also runs it.
    virtual bool OnCmdMsg(int id, bool execute) = 0;
};
