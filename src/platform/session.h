#pragma once

#include <QObject>

#include <memory>

namespace lc {

// Before the QApplication: picks the windowing system the launcher needs (it
// places its window at 0,0, keeps windows on top and raises the programs it
// started). Returns false, after one line on stderr, when it cannot be reached.
// A platform the user chose is left alone.
bool prepareWindowingSystem(int argc, char** argv);

// A request of the system to end the launcher (on POSIX SIGTERM, SIGINT and
// SIGHUP at logout), delivered through the event loop. One per process.
class SessionEnd : public QObject
{
    Q_OBJECT
public:
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;

Q_SIGNALS:
    void requested();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace lc
