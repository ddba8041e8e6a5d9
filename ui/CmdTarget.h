#pragma once

#include <cstddef>

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

// One row of a target's command table: the command and the member that runs it.
template <typename Target>
struct CommandEntry {
    int id;
    void (Target::*handler)();
};

// The OnCmdMsg of a target with a command table: true when `id` is in the
// table, and with `execute` its handler runs.
template <typename Target, std::size_t N>
bool DispatchCommand(Target& target, const CommandEntry<Target> (&table)[N], int id, bool execute) {
    for (const CommandEntry<Target>& entry : table) {
        if (entry.id != id) continue;
        if (execute) (target.*entry.handler)();
        return true;
    }
    return false;
}
