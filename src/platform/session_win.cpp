#include "session.h"

namespace lc {

// One windowing system, and no signals to turn into a request.
bool prepareWindowingSystem(int, char**)
{
    return true;
}

struct SessionEnd::Private
{
};

SessionEnd::SessionEnd(QObject* parent)
    : QObject(parent), d(std::make_unique<Private>())
{
}

SessionEnd::~SessionEnd() = default;

} // namespace lc
