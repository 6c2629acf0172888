#pragma once

#include <string>

namespace lc::win32 {

// Plays a wave file once without waiting, cutting off any sound this process
// still plays; silent when the file cannot be played or no device is there.
bool playWaveFile(const std::wstring& path);
// Stops the sound this process plays, if any.
void stopWaveFile();

} // namespace lc::win32
