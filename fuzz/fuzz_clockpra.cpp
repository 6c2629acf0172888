// clock.pra as the start-up reads it: at most one record of 169 bytes, fields the
// file does not cover keep the clock's defaults, and the values are brought into
// the clock's ranges before they reach it.
#include "fuzzinstall.h"

#include "common/fileerror.h"
#include "common/recordfile.h"
#include "prefs/clockprefs.h"
#include "prefs/clockrules.h"

using namespace lc;
using namespace lc::fuzz;

namespace {

void checkUsable(const ClockPrefs& p)
{
    using namespace ClockRules;
    FUZZ_CHECK(p.width >= MinSize && p.width <= MaxSize);
    FUZZ_CHECK(p.height >= MinSize && p.height <= MaxSize);
    FUZZ_CHECK(p.left >= 0 && p.left + p.width <= ClientWidth);
    FUZZ_CHECK(p.top >= 0 && p.top + p.height <= ClientHeight);
    FUZZ_CHECK(p.mascotSize >= 0 && p.mascotSize <= MaxMascotSize);
    for (const qint16 w : {p.minuteHandWidth, p.hourHandWidth, p.secondHandWidth, p.frameWidth})
        FUZZ_CHECK(w >= MinLineWidth && w <= MaxLineWidth);
    for (const quint32 c : {p.minuteHandColor, p.hourHandColor, p.secondHandColor, p.dialColor, p.frameColor,
                            p.mascotColor})
        FUZZ_CHECK(c <= 0xFFFFFFu);
    FUZZ_CHECK(p.jihouMinute >= 0 && p.jihouMinute <= MaxMinute);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInstall& in = install();
    const QString name = QStringLiteral("clock.pra");
    in.writeFile(name, bytesOf(data, size));

    QByteArray bytes;
    FUZZ_CHECK(readFileContents(in.path(name), bytes, ClockPrefs::Size) == FileError::None);
    FUZZ_CHECK(bytes.size() == qsizetype(std::min<size_t>(size, ClockPrefs::Size)));
    if (bytes.isEmpty())
        return 0;

    const QString sound = in.context.installDir.file(QStringLiteral("default.wav"));
    ClockPrefs read = ClockPrefs::defaults(sound);
    read.readRecord(bytes);
    const ClockPrefs shown = ClockRules::keptInRange(read);
    checkUsable(shown);

    // A save writes what the clock shows; the next start-up reads the same record
    // back, and saving that again writes the same bytes.
    const QByteArray saved = shown.toRecord();
    FUZZ_CHECK(saved.size() == ClockPrefs::Size);
    ClockPrefs next = ClockPrefs::defaults(sound);
    next.readRecord(saved);
    FUZZ_CHECK(next.toRecord() == saved);
    FUZZ_CHECK(ClockRules::keptInRange(next) == next);
    return 0;
}
