#include "radio/portproblem.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX

// The folders serial programs keep their lock files in ("LCK..ttyUSB0"), in
// the order the serial port driver of this program tries them.
const char *const LockFolders[] = {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                                   "/tmp"};

// The name of the lock file of a device: "/dev/ttyUSB0" gives
// "LCK..ttyUSB0", "/dev/pts/3" gives "LCK..pts_3".
QString lockFileName(const QString &device)
{
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    return QStringLiteral("LCK..") + name.replace(QLatin1Char('/'), QLatin1Char('_'));
}

bool processIsAlive(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// The program that holds the device's lock file, when a live one does: the
// file holds its process number on the first line (blank-padded in the
// older form), and the lock files of Qt programs their name on the second.
void findLockHolder(PortProblem &problem)
{
    for (const char *folder : LockFolders) {
        QFile file(QString::fromLatin1(folder) + QLatin1Char('/') + lockFileName(problem.device));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = file.read(4096).split('\n');
        bool ok = false;
        const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
        if (!ok || !processIsAlive(pid))
            continue;
        problem.pid = pid;
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        if (comm.open(QIODevice::ReadOnly))
            problem.processName = QString::fromLocal8Bit(comm.readAll().trimmed());
        if (problem.processName.isEmpty())
            problem.processName = QString::fromLocal8Bit(lines.value(1).trimmed());
        return;
    }
}

// Whether this process has the group, as primary or supplementary group.
bool processHasGroup(gid_t group)
{
    if (::getegid() == group)
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    QList<gid_t> groups(count);
    const int got = ::getgroups(count, groups.data());
    return got > 0 && groups.first(got).contains(group);
}

// Whether the group database counts the user in the group: they have
// joined it, perhaps after this session began.
bool userIsMember(const group &entry)
{
    const passwd *user = ::getpwuid(::geteuid());
    if (!user)
        return false;
    if (user->pw_gid == entry.gr_gid)
        return true;
    for (char **member = entry.gr_mem; member && *member; ++member)
        if (std::strcmp(*member, user->pw_name) == 0)
            return true;
    return false;
}

// The device exists, the user may not open it: the group that may, when
// joining it would help.
void explainPermission(PortProblem &problem, const struct stat &info)
{
    problem.kind = PortProblem::Kind::PermissionDenied;
    const bool groupMayUse = (info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    // Nobody should be told to join root's group.
    if (!groupMayUse || info.st_gid == 0 || processHasGroup(info.st_gid))
        return;
    const group *entry = ::getgrgid(info.st_gid);
    if (!entry)
        return;
    problem.group = QString::fromLocal8Bit(entry->gr_name);
    problem.memberAfterLogin = userIsMember(*entry);
}

#endif

void listPluggedIn(PortProblem &problem, const std::optional<QList<SerialPortDescription>> &listed)
{
    const QList<SerialPortDescription> ports = listed ? *listed : availableSerialPorts();
    for (const SerialPortDescription &port : ports)
        problem.pluggedIn << port.device;
}

} // namespace

QString PortProblem::text() const
{
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::NoPortChosen:
        return QStringLiteral("no serial port chosen");
    case Kind::Missing:
        return QStringLiteral("the port does not exist; ") +
               (pluggedIn.isEmpty() ? QStringLiteral("no serial port is plugged in")
                                    : QStringLiteral("serial ports plugged in: ") +
                                          pluggedIn.join(QStringLiteral(", ")));
    case Kind::PermissionDenied:
        if (group.isEmpty())
            return QStringLiteral("permission denied: the device's permissions do not let you "
                                  "read and write it");
        if (memberAfterLogin)
            return QStringLiteral("permission denied: you joined the group %1, which may use "
                                  "the device, after you logged in.\n"
                                  "Log out and back in (or restart) for it to take effect.")
                .arg(group);
        return QStringLiteral("permission denied: the device belongs to the group %1, which "
                              "you are not in. To join it:\n"
                              "    sudo usermod -aG %1 $USER\n"
                              "then log out and back in (or restart).")
            .arg(group);
    case Kind::Busy:
        if (pid > 0)
            return QStringLiteral("the port is in use by another program (%1, process %2)")
                .arg(processName.isEmpty() ? QStringLiteral("?") : processName)
                .arg(pid);
        return QStringLiteral("the port is in use by another program");
    case Kind::AlreadyOpen:
        return QStringLiteral("the port is already open");
    case Kind::NotSerialPort:
        return QStringLiteral("the device is not a serial port");
    case Kind::Other:
        return systemText.isEmpty() ? QStringLiteral("the port cannot be opened") : systemText;
    }
    return {};
}

QString PortProblem::message() const
{
    if (kind == Kind::NoPortChosen)
        return QStringLiteral("No serial port chosen");
    return QStringLiteral("%1: %2").arg(device, text());
}

PortProblem diagnosePortProblem(const QString &device, PortOpenError error,
                                const QString &systemText,
                                const std::optional<QList<SerialPortDescription>> &listed)
{
    PortProblem problem;
    problem.device = device;
    problem.systemText = systemText;
    if (device.isEmpty()) {
        problem.kind = PortProblem::Kind::NoPortChosen;
        return problem;
    }
    switch (error) {
    case PortOpenError::AlreadyOpen:
        problem.kind = PortProblem::Kind::AlreadyOpen;
        return problem;
    case PortOpenError::Unsupported:
        problem.kind = PortProblem::Kind::NotSerialPort;
        return problem;
    case PortOpenError::DeviceNotFound:
    case PortOpenError::Refused:
    case PortOpenError::Other:
        break;
    }

#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    struct stat info = {};
    if (::stat(path.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            problem.kind = PortProblem::Kind::Missing;
            listPluggedIn(problem, listed);
        } else {
            problem.kind = PortProblem::Kind::Other;
            problem.systemText = QString::fromLocal8Bit(std::strerror(errno));
        }
        return problem;
    }
    if (!S_ISCHR(info.st_mode)) {
        problem.kind = PortProblem::Kind::NotSerialPort;
        return problem;
    }
    // A device node whose hardware is gone (a serial card's unused port).
    if (error == PortOpenError::DeviceNotFound) {
        problem.kind = PortProblem::Kind::Missing;
        listPluggedIn(problem, listed);
        return problem;
    }
    // Judged for the effective user, as the open was.
    if (::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0 &&
        (errno == EACCES || errno == EPERM)) {
        explainPermission(problem, info);
        return problem;
    }
    if (error == PortOpenError::Refused) {
        problem.kind = PortProblem::Kind::Busy;
        findLockHolder(problem);
        return problem;
    }
    problem.kind = PortProblem::Kind::Other;
#else
    switch (error) {
    case PortOpenError::DeviceNotFound:
        problem.kind = PortProblem::Kind::Missing;
        listPluggedIn(problem, listed);
        break;
    case PortOpenError::Refused:
        // Windows refuses a port another program holds with "access denied".
        problem.kind = PortProblem::Kind::Busy;
        break;
    default:
        problem.kind = PortProblem::Kind::Other;
        break;
    }
#endif
    return problem;
}
