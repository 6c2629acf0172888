// BackImg as the background step reads it, and what "閉じる" would store for it.
#include "fuzzinstall.h"

#include "common/bytetext.h"
#include "common/codepage.h"
#include "common/backgrounds.h"

using namespace lc;
using namespace lc::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<BackImgRecord> stored = parseBackImg(bytesOf(data, size));
    if (!stored)
        return 0;
    const BackImgRecord& r = *stored;
    FUZZ_CHECK(r.text == trimBlanks(r.text));

    switch (backgroundKind(r.number)) {
    case BackgroundKind::Stretched:
    case BackgroundKind::Natural:
    case BackgroundKind::Enlarged:
        FUZZ_CHECK(isBuiltinBackground(r.number));
        FUZZ_CHECK(builtinPictureName(r.number).endsWith(QStringLiteral(".jpg")));
        picturePositionTwips(r.number, Applied::AtStartUp);
        picturePositionTwips(r.number, Applied::FromThumbnail);
        break;
    case BackgroundKind::Colour:
        if (const std::optional<quint32> colour = parseColourText(r.text))
            FUZZ_CHECK(*colour <= 0xFFFFFFu && parseColourText(colourText(*colour)) == colour);
        break;
    case BackgroundKind::OwnFile:
        pictureErrorTitle(r.text);
        break;
    case BackgroundKind::None:
        FUZZ_CHECK(!isBuiltinBackground(r.number));
        break;
    }

    // Closing the picker on the background just read stores nothing.
    FUZZ_CHECK(!backgroundToStore(r.number, r.text, true, 0, r));

    // What "閉じる" writes in this state reads back as itself, for every picture
    // path the picker lets into the file.
    const BackImgRecord nothingStored{-1, QString()};
    for (const bool pictureShown : {true, false}) {
        const std::optional<BackImgRecord> toStore = backgroundToStore(
            r.number, r.text, pictureShown, parseColourText(r.text).value_or(0), nothingStored);
        if (!toStore)
            continue; // the same number as stored
        if (toStore->number == Background::OwnFile && !isStorablePicturePath(toStore->text))
            continue;
        const std::optional<BackImgRecord> again = parseBackImg(backImgBytes(*toStore));
        FUZZ_CHECK(again && *again == *toStore, toStore->text);
    }
    return 0;
}
