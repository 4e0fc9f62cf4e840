#pragma once

// Input files a transfer must refuse before it sends anything, made at run
// time in a scratch directory: a FIFO and a file nobody may read cannot be
// kept in the repository. Header-only: the preset, firmware and dapctl tests
// share it.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

enum class BadFile
{
    Missing,
    Fifo,
    Folder,
    Unreadable
};

// Makes `name` in `dir` as a file of the given kind and returns its path.
inline QString makeBadFile(const QString &dir, const QString &name, BadFile kind)
{
    const QString path = QDir(dir).filePath(name);
    switch (kind) {
    case BadFile::Missing:
        break;
    case BadFile::Fifo:
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
        break;
    case BadFile::Folder:
        QDir(dir).mkdir(name);
        break;
    case BadFile::Unreadable: {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(QByteArray(32 * 40, '\1'));
        f.close();
        f.setPermissions(QFile::WriteOwner);
        break;
    }
    }
    return path;
}

// While it lives, the calling thread reads files only as their permission
// bits allow, also as root (the tests run as root in CI): the capabilities
// that override them are taken out of the effective set and put back after.
class PermissionsEnforced final
{
public:
    PermissionsEnforced()
    {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        m_header.pid = 0;
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        m_changed = ::syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~PermissionsEnforced()
    {
        if (m_changed)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    PermissionsEnforced(const PermissionsEnforced &) = delete;
    PermissionsEnforced &operator=(const PermissionsEnforced &) = delete;

private:
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
    bool m_changed = false;
};
