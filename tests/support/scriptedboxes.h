#pragma once

#include "common/dialogs.h"
#include "common/messagebox.h"

#include <QList>
#include <QQueue>
#include <QStringList>

#include <functional>

namespace lc::test {

// Message boxes answered from a script; every box shown is recorded. Without a
// scripted answer a box answers with its first button.
class ScriptedMessageBoxes : public MessageBoxService
{
public:
    using MessageBoxService::show;
    int show(const MessageRequest& request) override;

    QQueue<int> answers;
    QList<MessageRequest> shown;
    // Called while the box "is open" (after recording, before answering).
    std::function<void(const MessageRequest&)> onShow;
};

// File and colour dialogs answered from a script.
class ScriptedDialogs : public DialogService
{
public:
    QString openFile(const QString& title, const QString& filter, const QString& startDir) override;
    std::optional<quint32> pickColor(quint32 initial) override;

    QQueue<QString> files;
    QQueue<std::optional<quint32>> colors;
    QStringList fileTitles;
    QStringList fileFilters;
};

int firstButtonResult(int style);

} // namespace lc::test
