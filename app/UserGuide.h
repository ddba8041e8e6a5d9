#pragma once

#include <QString>

QString UserGuideFileName();
// The installed or source-tree copy of the user guide; empty when none exists.
QString UserGuidePath();
