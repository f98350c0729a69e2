#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace quillomat {

// What an installer says about the software it installs, as far as its format tells.
struct InstallerInfo
{
    QString name;
    QString version;
    QString company;
    QString category;
    // Why nothing could be read from a file that looked like an installer; empty otherwise.
    QString problem;

    bool isEmpty() const { return name.isEmpty() && company.isEmpty() && category.isEmpty(); }
    // The name with its version after it, unless the name already ends with it.
    QString nameWithVersion() const;
};

// Which of the readers below a file's name calls for.
enum class InstallerKind
{
    None,
    WindowsProgram,   // .exe
    WindowsInstaller, // .msi
    DebianPackage,    // .deb
    RpmPackage,       // .rpm
};

InstallerKind installerKindOf(const QString& fileName);

// Reads the metadata of the installer at `path` by its kind; an empty result (with `problem`
// set where the file is damaged or its compression unsupported) when it holds none.
InstallerInfo readInstallerInfo(const QString& path);

// The readers, each on an open, seekable device. They read only what they need, so that a
// large installer costs a few small reads.

// ProductName, FileVersion (else ProductVersion) and CompanyName of a Windows program's version
// resource.
InstallerInfo readWindowsVersion(QIODevice& file);
// Subject (else Title) and Author of a Windows Installer database's summary information, and
// ProductVersion of its Property table (with ProductName and Manufacturer where the summary
// lacks them).
InstallerInfo readMsiSummary(QIODevice& file);
// Package, Version, Section and Maintainer (else Origin) of a Debian package's control file.
InstallerInfo readDebianControl(QIODevice& file);
// Name, Version, Vendor and Group of an RPM package's header.
InstallerInfo readRpmHeader(QIODevice& file);

} // namespace quillomat
