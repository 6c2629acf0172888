#include "pathrules.h"

namespace lc {

PathStyle nativePathStyle()
{
    return PathStyle::Posix;
}

} // namespace lc
