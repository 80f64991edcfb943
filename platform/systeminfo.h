#pragma once

#include <QByteArray>
#include <QString>

namespace platform
{

// os-release(5): the distribution's description, and the file to read when the first is missing.
inline constexpr char osReleasePath[] = "/etc/os-release";
inline constexpr char osReleaseFallbackPath[] = "/usr/lib/os-release";
// machine-id(5): the identifier of this installation.
inline constexpr char machineIdPath[] = "/etc/machine-id";

// The whole text of a small system file, or the errno of the failure (ENOENT when it does not
// exist); error is 0 when the file was read.
struct SystemFile {
    QByteArray text;
    int error = 0;
};
SystemFile readSystemFile(const QString &path);

// The running kernel as uname(2) names it: its release ("6.1.0-18-amd64") and the machine it
// runs on ("x86_64"), which describes the system, not this process.
struct KernelInfo {
    QByteArray release;
    QByteArray machine;
};
KernelInfo kernelInfo();

} // namespace platform
