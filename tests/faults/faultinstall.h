#pragma once

#include "scratchvolume.h"
#include "testcontext.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace lc::test {

// The sibling programs and tools a full installation holds.
extern const QStringList AllPrograms;

// An installation directory on a scratch volume of its own, where a test can make
// the disk read-only or full while the launcher works on it.
//
//   <dir>            the programs, "menu", WOMSET and its five copies, clock.pra,
//                    BackImg, omkojinm
//   <dir>/data       the current data directory, its kojigai naming "港北ビル新築工事"
//   <dir>/other      a registered project, "別の工事"
class FaultInstall
{
public:
    enum class Fault { ReadOnly, DiskFull };

    FaultInstall();

    QString dir() const { return t.dir(); }
    QString dataDir() const { return t.path(QStringLiteral("data")); }
    QString otherDir() const { return t.path(QStringLiteral("other")); }

    // Every file of a complete installation, each with content of its own.
    void populate();
    // Only the programs: the first start of a new installation.
    void populateProgramsOnly();

    // Makes the fault happen; false with the reason where this machine cannot
    // (the test then skips).
    bool inject(Fault fault, QString& whyNot);
    // The disk writable, with space, again.
    void lift();

    // Every file below the installation directory with its bytes (the filler of a
    // full disk left out).
    QMap<QString, QByteArray> snapshot() const;

    // The first difference between two snapshots; empty when they are the same.
    static QString difference(const QMap<QString, QByteArray>& before, const QMap<QString, QByteArray>& after);

    // Answers the next message boxes with Cancel, so no Retry repeats a failing
    // write for ever.
    void answerCancel(int count = 20);

    TestContext t;
    std::unique_ptr<ScratchVolume> volume;

private:
    std::optional<Fault> m_fault;
    bool m_chmodded = false;
};

// The records of the settings files: master, data and import directory.
QByteArray settingsRecords(const QString& master, const QString& data, const QString& import);
// An overview file of 30 records naming the project.
QByteArray overviewNaming(const QString& name);
// A registry of 100 records with one entry.
QByteArray registryWith(const QString& name, const QString& dir);

} // namespace lc::test
