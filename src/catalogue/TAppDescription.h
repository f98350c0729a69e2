#pragma once

#include "catalogue/PackedTexts.h"

#include <QString>
#include <QStringView>

#include <array>

namespace quillomat {

// One package of the menu file. The loader writes it; everyone else only reads it.
class TAppDescription
{
public:
    QString Name;
    QString Company;
    QString Category;

    // The package's files, each empty or a path already joined with the CD folder.
    QString RunFile() const { return file(kRunFile); }
    QString TextFile() const { return file(kTextFile); }
    QString Bitmap() const { return file(kBitmap); }

    // Sets RunFile, TextFile and Bitmap, in that order. With a folder, each path that is not
    // empty lies in it and is given without it; the folder must outlive the package. Most
    // packages keep their files in the CD folder, and with 100,000 of them three copies of it
    // each would be a good part of the catalogue's memory.
    void setFiles(const QString* folder, const std::array<QStringView, 3>& paths);

private:
    enum FileSlot
    {
        kRunFile,
        kTextFile,
        kBitmap
    };
    QString file(FileSlot slot) const;

    const QString* m_folder = nullptr; // shared by the packages of one menu file, or none
    PackedTexts m_files;               // the paths without the folder, one slot each
};

} // namespace quillomat
