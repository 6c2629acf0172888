#pragma once

#include <QString>

#include <optional>

namespace lc {

// The standard dialogs the windows use, behind a seam so tests can answer them.
class DialogService
{
public:
    virtual ~DialogService() = default;
    // A file-open dialog; empty when cancelled. filter in Qt's form ("Wave (*.wav)").
    virtual QString openFile(const QString& title, const QString& filter, const QString& startDir) = 0;
    // The colour dialog; colours as 0x00BBGGRR values.
    virtual std::optional<quint32> pickColor(quint32 initial) = 0;
};

} // namespace lc
