#pragma once

#include <QDialog>

class QLabel;

namespace lc {

struct AppContext;

// The picture picker: drive, folder and file lists with a preview. Shown modally;
// afterwards backimagefile() holds the chosen picture's full path, or is empty.
class PreView : public QDialog
{
    Q_OBJECT
public:
    PreView(AppContext& context, int backImageNo, const QString& backImageText, QWidget* parent);

    QString backimagefile() const;

private:
    AppContext& m_context;
    QLabel* m_backimagefile;
};

} // namespace lc
