#include "ommenu.h"

#include "common/appcontext.h"

namespace lc {

OmMenu::OmMenu(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("om_menu"));
    setWindowTitle(QStringLiteral("Mabora for Windows MAIN MENU"));
}

} // namespace lc
