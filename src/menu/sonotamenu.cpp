#include "sonotamenu.h"

#include "common/appcontext.h"
#include "menushared.h"

namespace lc {

SonotaMenu::SonotaMenu(AppContext& context, MenuShared& shared, QWidget* owner)
    : QWidget(owner, Qt::Window), m_context(context), m_shared(shared)
{
    setObjectName(QStringLiteral("sonotaMenu"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("【 その他 Ｍｅｎｕ 】"));
}

} // namespace lc
