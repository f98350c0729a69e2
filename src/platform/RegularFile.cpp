#include "platform/RegularFile.h"

#include "platform/SystemFile.h"

#include <QCoreApplication>

namespace quillomat {
namespace {

// Closes the file on every way out.
class OpenFile
{
public:
    explicit OpenFile(systemfile::Handle handle) : m_handle(handle) {}
    ~OpenFile()
    {
        if (m_handle != systemfile::kNoHandle)
            systemfile::close(m_handle);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    systemfile::Handle get() const { return m_handle; }

private:
    systemfile::Handle m_handle;
};

} // namespace

std::optional<RegularFileContent> readWholeRegularFile(const QString& path, QString* error)
{
    const auto fail = [&](const QString& reason) -> std::optional<RegularFileContent> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    const QString noSuchFile = QCoreApplication::translate("quillomat", "No such file");
    if (path.isEmpty())
        return fail(noSuchFile);
    bool missing = false;
    QString reason;
    const OpenFile file(systemfile::openForReading(path, missing, reason));
    if (file.get() == systemfile::kNoHandle)
        return fail(missing ? noSuchFile : reason);
    const std::optional<FileStamp> before = systemfile::stampOf(file.get());
    if (!before)
        return fail(QCoreApplication::translate("quillomat", "Not a regular file"));

    RegularFileContent content;
    content.before = *before;
    content.bytes.resize(qsizetype(before->size) + 1); // one more byte shows a file that grew
    qsizetype used = 0;
    for (;;) {
        if (used == content.bytes.size())
            content.bytes.resize(used * 2);
        const std::int64_t got = systemfile::readSome(file.get(), content.bytes.data() + used,
                                                      content.bytes.size() - used, reason);
        if (got < 0)
            return fail(reason);
        if (got == 0)
            break;
        used += qsizetype(got);
    }
    content.bytes.resize(used);
    const std::optional<FileStamp> after = systemfile::stampOf(file.get());
    if (!after)
        return fail(QCoreApplication::translate("quillomat", "Not a regular file"));
    content.after = *after;
    return content;
}

} // namespace quillomat
