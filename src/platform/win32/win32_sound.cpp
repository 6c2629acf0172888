#include "win32_sound.h"

#include <windows.h>
#include <mmsystem.h>

namespace lc::win32 {

bool playWaveFile(const std::wstring& path)
{
    // SND_NODEFAULT: a file that cannot be played stays silent rather than
    // sounding the system's default beep every hour.
    return PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT) != FALSE;
}

void stopWaveFile()
{
    PlaySoundW(nullptr, nullptr, 0);
}

} // namespace lc::win32
