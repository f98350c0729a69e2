#pragma once

#include <QString>

namespace quillomat::bench {

// The word that the benchmarks search for: it stands in about one description in a hundred
// and in no name, category or company, so every description has to be looked at.
inline constexpr char kRareWord[] = "zeppelin";

// The menu of the same packages whose file names are all written in capitals, as a disc made
// on Windows may name them; the files on disc are in lower case.
inline constexpr char kOtherCaseMenu[] = "quillomat-othercase.qmf";

inline constexpr int kDefaultDescriptionBytes = 4096;

// How the descriptions are written: Plain has a bold word and an escaped accented letter now
// and then; Rich has them in every line, as a word processor writes French or German text with
// emphasis (about one word in twelve bold, one in four with \'hh escapes).
enum class DescriptionStyle
{
    Plain,
    Rich
};

// Writes a synthetic disc into folder: "quillomat.qmf" with the given number of packages
// (40 categories, 500 companies, CDFolder set to the folder), the same in kOtherCaseMenu, and,
// when withDescriptions is set, one RTF description of about descriptionBytes per package under
// "texts/". The content depends only on the package number. False with a message on stderr when
// a file cannot be written.
bool writeSyntheticDisc(const QString& folder, int packages, bool withDescriptions,
                        int descriptionBytes = kDefaultDescriptionBytes,
                        DescriptionStyle style = DescriptionStyle::Plain);

// The folder holding the description files of a disc written by writeSyntheticDisc.
QString descriptionFolder(const QString& discFolder);

} // namespace quillomat::bench
