#pragma once

#include <QString>

namespace quillomat {

// One package of the menu file. The loader writes the fields; everyone else only reads them.
// RunFile, TextFile and Bitmap are empty or already joined with the CD folder.
struct TAppDescription
{
    QString Name;
    QString Company;
    QString Category;
    QString RunFile;
    QString TextFile;
    QString Bitmap;
};

} // namespace quillomat
