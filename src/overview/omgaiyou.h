#pragma once

#include <QWidget>

namespace lc {

struct AppContext;

// The building overview window "[建物概要]" of the current data directory.
class OmGaiyou : public QWidget
{
    Q_OBJECT
public:
    OmGaiyou(AppContext& context, QWidget* parent);

private:
    AppContext& m_context;
};

} // namespace lc
