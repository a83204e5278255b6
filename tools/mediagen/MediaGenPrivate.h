#pragma once

#include <QString>

namespace mediagen {

// A hash that stays the same across runs, machines and Qt versions; it picks
// colours and layouts.
quint32 stableHash(const QString& text, quint32 seed = 0);

} // namespace mediagen
