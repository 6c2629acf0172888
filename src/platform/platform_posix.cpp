#include "systemplatform.h"

#include "common/fileerror.h"
#include "volumerules.h"
#include "x11atom.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <limits>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace lc {
namespace {

// ---- X11: finding and activating top-level windows -------------------------

xcb_connection_t* x11Connection()
{
    auto* app = qGuiApp;
    if (!app)
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

std::vector<uint8_t> property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t prop, xcb_atom_t type)
{
    std::vector<uint8_t> out;
    auto cookie = xcb_get_property(c, 0, w, prop, type, 0, 1 << 16);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    if (reply) {
        const int len = xcb_get_property_value_length(reply);
        const auto* data = static_cast<const uint8_t*>(xcb_get_property_value(reply));
        out.assign(data, data + len);
        free(reply);
    }
    return out;
}

xcb_window_t rootWindow(xcb_connection_t* c)
{
    const xcb_setup_t* setup = xcb_get_setup(c);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    return it.data ? it.data->root : xcb_window_t(XCB_WINDOW_NONE);
}

std::vector<xcb_window_t> clientWindows(xcb_connection_t* c, xcb_window_t root)
{
    std::vector<xcb_window_t> out;
    const auto list = property(c, root, x11Atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
    if (!list.empty()) {
        const auto* ids = reinterpret_cast<const xcb_window_t*>(list.data());
        out.assign(ids, ids + list.size() / sizeof(xcb_window_t));
        return out;
    }
    // No window manager keeps the list: walk the root's children.
    auto cookie = xcb_query_tree(c, root);
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, cookie, nullptr);
    if (tree) {
        const xcb_window_t* kids = xcb_query_tree_children(tree);
        out.assign(kids, kids + xcb_query_tree_children_length(tree));
        free(tree);
    }
    return out;
}

bool activate(xcb_connection_t* c, xcb_window_t root, xcb_window_t w)
{
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = x11Atom(c, "_NET_ACTIVE_WINDOW");
    ev.data.data32[0] = 2; // as a pager
    ev.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
    // Without a window manager nobody handles the message: raise it ourselves.
    const uint32_t stack = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, w, XCB_CONFIG_WINDOW_STACK_MODE, &stack);
    xcb_flush(c);
    return true;
}

template <typename Match> bool activateMatching(Match match)
{
    xcb_connection_t* c = x11Connection();
    if (!c)
        return false;
    const xcb_window_t root = rootWindow(c);
    for (xcb_window_t w : clientWindows(c, root)) {
        if (match(c, w))
            return activate(c, root, w);
    }
    return false;
}

// ---- Volumes ----------------------------------------------------------------

bool isRemovableDevice(const QByteArray& device)
{
    struct stat st
    {
    };
    if (::stat(device.constData(), &st) != 0 || !S_ISBLK(st.st_mode))
        return false;
    // The partition's own entry or its disk's entry tells whether it is removable;
    // a disk on USB counts as removable even where it calls itself fixed.
    const QString base =
        QStringLiteral("/sys/dev/block/%1:%2").arg(major(st.st_rdev)).arg(minor(st.st_rdev));
    for (const QString& path :
         {base + QStringLiteral("/removable"), base + QStringLiteral("/../removable")}) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly) && f.read(1) == "1")
            return true;
    }
    return QFileInfo(base).canonicalFilePath().contains(QStringLiteral("/usb"));
}

// ---- Trash --------------------------------------------------------------------

// Where QFile::moveToTrash put an entry: <trash>/files/<name>, with
// <trash>/info/<name>.trashinfo beside it. The trash is the user's
// ($XDG_DATA_HOME/Trash) or a volume's own (.Trash/<uid> or .Trash-<uid>).
bool isInTrash(const QString& trashed, const QString& dataHome)
{
    if (trashed.isEmpty() || !QFileInfo::exists(trashed))
        return false;
    const QFileInfo entry(trashed);
    const QDir files(entry.absolutePath());
    if (files.dirName() != QStringLiteral("files"))
        return false;
    QDir trash(files);
    if (!trash.cdUp())
        return false;
    if (!QFileInfo::exists(trash.filePath(QStringLiteral("info/")) + entry.fileName() +
                           QStringLiteral(".trashinfo")))
        return false;
    const QString uid = QString::number(::getuid());
    if (QDir::cleanPath(trash.absolutePath()) ==
        QDir::cleanPath(QDir(dataHome).absoluteFilePath(QStringLiteral("Trash"))))
        return true;
    if (trash.dirName() == QStringLiteral(".Trash-") + uid)
        return true;
    QDir top(trash);
    return trash.dirName() == uid && top.cdUp() && top.dirName() == QStringLiteral(".Trash");
}

// Undoes a move that did not reach a trash directory.
void undoStrayMove(const QString& trashed, const QString& source)
{
    const QFileInfo entry(trashed);
    if (!entry.exists() || QFileInfo::exists(source))
        return;
    if (!QFile::rename(trashed, source) && !QDir().rename(trashed, source))
        return;
    QDir place(entry.absolutePath());
    if (!place.cdUp())
        return;
    QFile::remove(place.filePath(QStringLiteral("info/")) + entry.fileName() +
                  QStringLiteral(".trashinfo"));
    place.rmdir(QStringLiteral("files"));
    place.rmdir(QStringLiteral("info"));
}

// The record's Path= in the form of the trash format: percent-encoded, '/'
// kept, as desktops decode it when they restore. Qt 6.4 writes the path as it
// is, so a '%' or a blank in a project's name came back as another path. A
// record that already names the source in the encoded form stays as it is.
bool encodeTrashInfoPath(const QString& trashed, const QString& source)
{
    const QFileInfo entry(trashed);
    QDir trash(entry.absolutePath());
    if (!trash.cdUp())
        return false;
    const QString infoPath =
        trash.filePath(QStringLiteral("info/")) + entry.fileName() + QStringLiteral(".trashinfo");
    // A volume's trash may record the path relative to the volume's top.
    QDir top(trash);
    if (top.dirName() != QStringLiteral(".Trash-") + QString::number(::getuid()))
        top.cdUp();
    top.cdUp();
    const auto names = [&](const QString& recorded) {
        const QString full =
            QDir::isAbsolutePath(recorded) ? recorded : top.absoluteFilePath(recorded);
        return QDir::cleanPath(full) == source;
    };

    QFile in(infoPath);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> lines = in.readAll().split('\n');
    in.close();
    const QByteArray key("Path=");
    for (QByteArray& line : lines) {
        if (!line.startsWith(key))
            continue;
        const QByteArray value = line.mid(key.size());
        const QString raw = QString::fromUtf8(value);
        const QByteArray encoded = QUrl::toPercentEncoding(raw, "/");
        if (value == encoded)
            return true;
        // Already encoded, by a Qt that does so itself.
        if (!names(raw) && names(QUrl::fromPercentEncoding(value)))
            return true;
        line = key + encoded;
        const QByteArray record = lines.join('\n');
        QSaveFile out(infoPath);
        return out.open(QIODevice::WriteOnly) && out.write(record) == record.size() &&
               out.commit();
    }
    return false;
}

} // namespace

SystemPlatform::SystemPlatform() = default;
SystemPlatform::~SystemPlatform() = default;

StartResult SystemPlatform::startProgram(const QString& program, const QString& workingDir)
{
    StartResult result;
    const QFileInfo info(program);
    if (!info.isFile()) {
        result.error = FileError::FileNotFound;
        return result;
    }
    if (!info.isExecutable()) {
        result.error = FileError::PathFileAccess;
        return result;
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(program, {}, workingDir, &pid) || pid == 0) {
        result.error = FileError::PathFileAccess;
        return result;
    }
    result.taskId = pid;
    return result;
}

bool SystemPlatform::bringTaskToFront(qint64 taskId)
{
    if (taskId <= 0)
        return false;
    return activateMatching([taskId](xcb_connection_t* c, xcb_window_t w) {
        const auto pid = property(c, w, x11Atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL);
        return pid.size() >= 4 &&
               *reinterpret_cast<const uint32_t*>(pid.data()) == uint32_t(taskId);
    });
}

namespace {

auto titleMatcher(const QByteArray& wanted)
{
    return [&wanted](xcb_connection_t* c, xcb_window_t w) {
        auto name = property(c, w, x11Atom(c, "_NET_WM_NAME"), x11Atom(c, "UTF8_STRING"));
        if (name.empty())
            name = property(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
        return QByteArray(reinterpret_cast<const char*>(name.data()), qsizetype(name.size())) ==
               wanted;
    };
}

} // namespace

bool SystemPlatform::bringWindowToFront(const QString& title)
{
    if (title.isEmpty())
        return false;
    const QByteArray wanted = title.toUtf8();
    return activateMatching(titleMatcher(wanted));
}

bool SystemPlatform::isTaskRunning(qint64 taskId)
{
    if (taskId <= 0 || taskId > qint64(std::numeric_limits<pid_t>::max()))
        return false;
    // A program that has ended stays a zombie until its parent reaps it; where
    // nobody reaps (a container without an init), it would seem to run for ever.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(taskId));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.read(4096);
        const qsizetype close = line.lastIndexOf(')');
        if (close >= 0 && close + 2 < line.size()) {
            const char state = line.at(close + 2);
            return state != 'Z' && state != 'X' && state != 'x';
        }
    }
    return ::kill(pid_t(taskId), 0) == 0 || errno == EPERM;
}

bool SystemPlatform::isTaskOfThisSession(qint64 taskId)
{
    if (!isTaskRunning(taskId))
        return false;
    // The same user: the process directory belongs to the process's user.
    const QString proc = QStringLiteral("/proc/%1").arg(taskId);
    struct stat info {};
    if (::stat(QFile::encodeName(proc).constData(), &info) != 0 || info.st_uid != ::getuid())
        return false;
    // The same display: the one the task was started on (its environment can be
    // read by its own user only).
    QFile environ(proc + QStringLiteral("/environ"));
    if (!environ.open(QIODevice::ReadOnly))
        return false;
    QByteArray display;
    QByteArray wayland;
    for (const QByteArray& entry : environ.readAll().split('\0')) {
        if (entry.startsWith("DISPLAY="))
            display = entry.mid(8);
        else if (entry.startsWith("WAYLAND_DISPLAY="))
            wayland = entry.mid(16);
    }
    // ":0" and ":0.0" name the same display.
    const auto withoutScreen = [](QByteArray name) {
        const qsizetype colon = name.lastIndexOf(':');
        const qsizetype dot = name.lastIndexOf('.');
        if (colon >= 0 && dot > colon)
            name.truncate(dot);
        return name;
    };
    return withoutScreen(display) == withoutScreen(qgetenv("DISPLAY")) && wayland == qgetenv("WAYLAND_DISPLAY");
}

bool SystemPlatform::isWindowShown(const QString& title)
{
    xcb_connection_t* c = x11Connection();
    if (title.isEmpty() || !c)
        return false;
    const QByteArray wanted = title.toUtf8();
    const auto matches = titleMatcher(wanted);
    for (xcb_window_t w : clientWindows(c, rootWindow(c))) {
        if (matches(c, w))
            return true;
    }
    return false;
}

QStringList SystemPlatform::driveRoots()
{
    QStringList roots;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (v.isValid() && volumes::isUserVolume(v.rootPath(), v.fileSystemType(), v.device()) &&
            !roots.contains(v.rootPath()))
            roots.append(v.rootPath());
    }
    std::sort(roots.begin(), roots.end());
    // The user's home, where a person keeps files, is a drive of its own.
    const QString home = QDir::cleanPath(QDir::homePath());
    if (!roots.contains(home) && QFileInfo(home).isDir())
        roots.append(home);
    return roots;
}

DriveType SystemPlatform::driveType(const QString& root)
{
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return DriveType::NoRootDir;
    const QStorageInfo v(root);
    if (!v.isValid())
        return DriveType::Unknown;
    const QByteArray fs = v.fileSystemType();
    return volumes::driveTypeOf(fs,
                                !volumes::isNetworkFileSystem(fs) && isRemovableDevice(v.device()));
}

QString SystemPlatform::volumeLabel(const QString& root)
{
    // Only a volume's own mount point carries its label (not the home folder).
    const QStorageInfo v(root);
    return v.isValid() && v.rootPath() == QDir::cleanPath(root) ? v.name() : QString();
}

QString SystemPlatform::driveOf(const QString& path)
{
    QString p = QDir::cleanPath(QDir(path).absolutePath());
    while (!p.isEmpty() && !QFileInfo::exists(p)) {
        const QString parent = QFileInfo(p).path();
        if (parent == p)
            break;
        p = parent;
    }
    const QStorageInfo v(p);
    return v.isValid() ? v.rootPath() : QStringLiteral("/");
}

int SystemPlatform::checkDirectory(const QString& path)
{
    if (path.isEmpty())
        return FileError::PathNotFound;
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return FileError::fromSystemCode(errno, FileError::Target::Path);
    return S_ISDIR(st.st_mode) ? FileError::None : FileError::PathNotFound;
}

int SystemPlatform::moveToRecycleBin(const QString& path)
{
    if (path.isEmpty())
        return FileError::BadFileName;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return FileError::PathNotFound;
    // The trash records the absolute path; without a trailing separator, so that
    // restoring puts the entry back under its own name.
    const QString source = QDir::cleanPath(info.absoluteFilePath());
    // Qt 6.4 writes files/ and info/ into the current directory when the user's
    // data directory does not exist yet, and still reports success: create it
    // first and check where the entry went.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || !QDir().mkpath(dataHome))
        return FileError::PathFileAccess;
    QString trashed;
    FileError::clearSystemCode();
    if (!QFile::moveToTrash(source, &trashed)) {
        const int code = errno;
        const int error =
            code ? FileError::fromSystemCode(code, FileError::Target::Path) : FileError::None;
        return error != FileError::None ? error : FileError::PathFileAccess;
    }
    if (!isInTrash(trashed, dataHome)) {
        undoStrayMove(trashed, source);
        return FileError::PathFileAccess;
    }
    const QFileInfo after(source);
    if (after.exists() || after.isSymLink())
        return FileError::PathFileAccess;
    // Moved, but a record that names another path would restore it elsewhere.
    if (!encodeTrashInfoPath(trashed, source)) {
        undoStrayMove(trashed, source);
        return FileError::PathFileAccess;
    }
    return FileError::None;
}

int SystemPlatform::moveToRecycleBinAsking(const QString& path)
{
    // The freedesktop trash has no confirmation of its own.
    return moveToRecycleBin(path);
}

void SystemPlatform::playSound(const QString& wavePath)
{
    m_sound.play(wavePath);
}

} // namespace lc
