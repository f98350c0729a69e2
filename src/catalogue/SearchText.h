#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace quillomat {

// The keyword search compares upper-cased UTF-8: a substring of UTF-8 is exactly a substring of
// the characters, and the bytes take half the memory of the cached description texts.

// The same bytes as upperCased(text).toUtf8(), in one pass that leaves Qt's full case mapping
// to the runs of non-ASCII characters (upper-casing maps each character on its own).
QByteArray upperCasedUtf8(QStringView text);

// True when needle occurs in haystack; an empty needle occurs everywhere.
bool containsBytes(QByteArrayView haystack, QByteArrayView needle);

} // namespace quillomat
