#include "frmkankyo.h"

#include "common/appcontext.h"

namespace lc {

FrmKankyo::FrmKankyo(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmKankyo"));
    setWindowTitle(QStringLiteral("[ Ｄata側Ｄrv,Ｄirの環境設定 ]"));
}

} // namespace lc
