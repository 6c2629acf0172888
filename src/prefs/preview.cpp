#include "preview.h"

#include "common/appcontext.h"

#include <QLabel>

namespace lc {

PreView::PreView(AppContext& context, int backImageNo, const QString& backImageText, QWidget* parent)
    : QDialog(parent), m_context(context), m_backimagefile(new QLabel(this))
{
    Q_UNUSED(backImageNo);
    Q_UNUSED(backImageText);
    setObjectName(QStringLiteral("pre_view"));
    m_backimagefile->setObjectName(QStringLiteral("backimagefile"));
    m_backimagefile->hide();
}

QString PreView::backimagefile() const
{
    return m_backimagefile->text();
}

} // namespace lc
