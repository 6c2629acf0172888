#pragma once

#include <QPixmap>

namespace lc {

// Pictures built into the windows (drawn in code, not read from files).
enum class BuiltinImage {
    TitleIcon,     // Image1 on the title panel
    CornerPicture, // Image2 at the lower right of the main window
    Overlay,       // Image4 over backgrounds 0 and 1
    SlotIcon,      // app_img(index), index 0..6
    Thumbnail,     // Image5(index) on the picker panel: background index in small
};

// The picture at its natural size in logical pixels.
QPixmap builtinImage(BuiltinImage image, int index = 0);

} // namespace lc
