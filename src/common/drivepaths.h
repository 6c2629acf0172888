#pragma once

#include <QString>

#include <array>

namespace lc {

// The suite's three working paths: slot 1 the master directory, slot 2 the data
// directory of the current project, slot 3 the import directory.
struct DrivePaths
{
    std::array<QString, 4> slot; // index 0 unused

    QString& operator[](int k) { return slot.at(k); }
    const QString& operator[](int k) const { return slot.at(k); }
};

} // namespace lc
