#pragma once

#include <QString>

QString UserGuideFileName();
// The user guide of the program in `programFolder`: the installed copy in
// share/doc/quadrell beside its bin/, else, only for the program in the build
// tree's bin/, the copy in the source tree it was built from; empty when
// there is none.
QString UserGuidePath(const QString& programFolder);
// The same for the running program.
QString UserGuidePath();
