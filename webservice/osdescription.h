#pragma once

#include <QByteArray>
#include <QString>

// What the operating-system description is made of.
struct OSVersion {
    QString name;  // the product name, such as "Debian GNU/Linux 12 (bookworm)"
    int major = 0; // major and minor version
    int minor = 0;
    int build = 0;            // build number
    int servicePackMajor = 0; // 0 when no service pack is installed
    bool x86_64 = false;      // the system (not this process) runs on a 64-bit x86 processor
};

// "<name> (Version <major>.<minor>, Build <build>, <edition>)", or with a service pack
// "<name> Service Pack <sp> (Version ...)"; the edition is "64-bit Edition" or "32-bit Edition".
QString formatOSDescription(const OSVersion &version);

// The distribution's name from the text of an os-release file: PRETTY_NAME, "Linux" without one.
QString distributionName(const QByteArray &osRelease);

// The distribution and the kernel as OSVersion: major and minor from the kernel release, its
// patch number as the build ("6.1.0-18-amd64" gives 6, 1, 0). Linux has no service packs.
OSVersion linuxVersion(const QByteArray &osRelease, const QByteArray &kernelRelease,
                       const QByteArray &machine);

// The description of the running system, for example
// "Debian GNU/Linux 12 (bookworm) (Version 6.1, Build 0, 64-bit Edition)".
QString GetOSDescription();
