#pragma once

#include <QDialog>

namespace lc {

struct AppContext;

// The environment settings window "[ Ｄata側Ｄrv,Ｄirの環境設定 ]": the three working
// paths, the project registry and the folder tree.
class FrmKankyo : public QDialog
{
    Q_OBJECT
public:
    FrmKankyo(AppContext& context, QWidget* parent);

private:
    AppContext& m_context;
};

} // namespace lc
