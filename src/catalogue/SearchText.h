#pragma once

#include <QByteArrayView>

namespace quillomat {

// The keyword search compares upper-cased UTF-8 (UpperCasedUtf8.h).

// True when needle occurs in haystack; an empty needle occurs everywhere.
bool containsBytes(QByteArrayView haystack, QByteArrayView needle);

} // namespace quillomat
