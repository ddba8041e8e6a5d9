#pragma once

#include <QString>

QString UserGuideFileName();
// The user guide of the program in `programFolder`: the installed copy in
// share/doc/quadrell beside its bin/, else the copy in the source tree it was
// built from; empty when neither exists.
QString UserGuidePath(const QString& programFolder);
// The same for the running program.
QString UserGuidePath();
