#include "catalogue/SearchText.h"

#include <QString>

#include <cstring>
#include <string.h> // memmem

namespace quillomat {

QByteArray upperCasedUtf8(QStringView text)
{
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    QByteArray out(size, Qt::Uninitialized);
    char* data = out.data();
    qsizetype used = 0;
    for (qsizetype i = 0; i < size;) {
        const char16_t c = in[i];
        if (c < 0x80) {
            data[used++] = char(c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c);
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < size && in[end] >= 0x80)
            ++end;
        const QByteArray run = text.sliced(i, end - i).toString().toUpper().toUtf8();
        const qsizetype needed = used + run.size() + (size - end);
        if (needed > out.size()) {
            out.resize(needed);
            data = out.data();
        }
        std::memcpy(data + used, run.constData(), std::size_t(run.size()));
        used += run.size();
        i = end;
    }
    out.resize(used);
    return out;
}

bool containsBytes(QByteArrayView haystack, QByteArrayView needle)
{
    if (needle.isEmpty())
        return true;
    // memmem must not be given the null pointer of an empty text.
    if (haystack.size() < needle.size())
        return false;
    return ::memmem(haystack.data(), std::size_t(haystack.size()), needle.data(),
                    std::size_t(needle.size())) != nullptr;
}

} // namespace quillomat
