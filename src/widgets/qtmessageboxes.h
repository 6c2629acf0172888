#pragma once

#include "common/dialogs.h"
#include "common/messagebox.h"

namespace lc {

// Real QMessageBox boxes, modal over the active window of the launcher.
class QtMessageBoxes : public MessageBoxService
{
public:
    using MessageBoxService::show;
    int show(const MessageRequest& request) override;
};

// Real QFileDialog and QColorDialog.
class QtDialogs : public DialogService
{
public:
    QString openFile(const QString& title, const QString& filter, const QString& startDir) override;
    std::optional<quint32> pickColor(quint32 initial) override;
};

} // namespace lc
