#include "scriptedboxes.h"

namespace lc::test {

int firstButtonResult(int style)
{
    switch (style & 0x0F) {
    case Msg::OkCancel:
        return Msg::ResultOk;
    case Msg::AbortRetryIgnore:
        return Msg::ResultAbort;
    case Msg::YesNoCancel:
    case Msg::YesNo:
        return Msg::ResultYes;
    case Msg::RetryCancel:
        return Msg::ResultRetry;
    default:
        return Msg::ResultOk;
    }
}

int ScriptedMessageBoxes::show(const MessageRequest& request)
{
    shown.append(request);
    if (onShow)
        onShow(request);
    if (!answers.isEmpty())
        return answers.dequeue();
    return firstButtonResult(request.style);
}

QString ScriptedDialogs::openFile(const QString& title, const QString& filter, const QString&)
{
    fileTitles.append(title);
    fileFilters.append(filter);
    return files.isEmpty() ? QString() : files.dequeue();
}

std::optional<quint32> ScriptedDialogs::pickColor(quint32)
{
    return colors.isEmpty() ? std::nullopt : colors.dequeue();
}

} // namespace lc::test
