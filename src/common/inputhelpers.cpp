#include "inputhelpers.h"

namespace lc {

NumEditState& numEditState()
{
    static NumEditState state;
    return state;
}

void NumKeyFilter()
{
    NumKeyFilter(numEditState());
}

void NumKeyFilter(NumEditState&) {}

QChar KanaKeyToAscii(QChar key)
{
    return key;
}

} // namespace lc
