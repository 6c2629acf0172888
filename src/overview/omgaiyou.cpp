#include "omgaiyou.h"

#include "common/appcontext.h"

namespace lc {

OmGaiyou::OmGaiyou(AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("omgaiyou"));
    setWindowTitle(QStringLiteral("[建物概要]"));
}

} // namespace lc
