#include "pathrules.h"

namespace lc {

PathStyle nativePathStyle()
{
    return PathStyle::Windows;
}

} // namespace lc
