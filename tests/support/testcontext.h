#pragma once

#include "common/appcontext.h"
#include "fakeplatform.h"
#include "scriptedboxes.h"

#include <QByteArray>
#include <QOperatingSystemVersion>
#include <QTemporaryDir>

namespace lc::test {

// True when the tests run on Windows, where paths and some file rules differ.
inline bool onWindows()
{
    return QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows;
}

// An installation directory in a temporary folder, with a fake platform,
// scripted boxes and dialogs and a fixed date (2026-12-08 unless set).
class TestContext
{
public:
    explicit TestContext(QDate today = QDate(2026, 12, 8));

    QString dir() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.path() + u'/' + name; }

    // Files of the installation directory.
    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;
    bool exists(const QString& name) const;
    // An executable stand-in for a program of the suite.
    void installProgram(const QString& name) const;

    AppContext context;
    FakePlatform platform;
    ScriptedMessageBoxes messages;
    ScriptedDialogs dialogs;
    QDate date;

private:
    QTemporaryDir m_dir;
};

} // namespace lc::test
