#include "platform/RegularFile.h"

#include "platform/SystemFile.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

namespace quillomat {
namespace {

// Closes the file on every way out.
class OpenFile
{
public:
    OpenFile() = default;
    ~OpenFile() { reset(systemfile::kNoHandle); }
    void reset(systemfile::Handle handle)
    {
        if (m_handle != systemfile::kNoHandle)
            systemfile::close(m_handle);
        m_handle = handle;
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    systemfile::Handle get() const { return m_handle; }

private:
    systemfile::Handle m_handle = systemfile::kNoHandle;
};

QString notRegular()
{
    return QCoreApplication::translate("quillomat", "Not a regular file");
}

// Opens a regular file for reading, with its stamp; nullopt with the reason otherwise.
std::optional<FileStamp> openRegularFile(OpenFile& file, const QString& path, QString& reason)
{
    const QString noSuchFile = QCoreApplication::translate("quillomat", "No such file");
    if (path.isEmpty()) {
        reason = noSuchFile;
        return std::nullopt;
    }
    bool missing = false;
    file.reset(systemfile::openForReading(path, missing, reason));
    if (file.get() == systemfile::kNoHandle) {
        if (missing)
            reason = noSuchFile;
        return std::nullopt;
    }
    const std::optional<FileStamp> stamp = systemfile::stampOf(file.get());
    if (!stamp)
        reason = notRegular();
    return stamp;
}

// The whole file; with onlyFromMemory, nullopt unless the system holds all of it in memory.
std::optional<RegularFileContent> readWhole(const QString& path, QString* error,
                                            bool onlyFromMemory)
{
    QString reason;
    const auto fail = [&]() -> std::optional<RegularFileContent> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    OpenFile file;
    const std::optional<FileStamp> before = openRegularFile(file, path, reason);
    if (!before)
        return fail();
    if (onlyFromMemory && !systemfile::isInMemory(file.get(), std::int64_t(before->size)))
        return fail();

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
            return fail();
        if (got == 0)
            break;
        used += qsizetype(got);
    }
    content.bytes.resize(used);
    const std::optional<FileStamp> after = systemfile::stampOf(file.get());
    if (!after) {
        reason = notRegular();
        return fail();
    }
    content.after = *after;
    return content;
}

} // namespace

std::optional<RegularFileContent> readWholeRegularFile(const QString& path, QString* error)
{
    return readWhole(path, error, false);
}

std::optional<RegularFileContent> readWholeRegularFileFromMemory(const QString& path)
{
    return readWhole(path, nullptr, true);
}

bool readRegularFileInBlocks(const QString& path, qsizetype blockSize,
                             const std::function<void(QByteArrayView)>& consume, QString* error)
{
    QString reason;
    OpenFile file;
    bool read = openRegularFile(file, path, reason).has_value();
    QByteArray block(read ? std::max<qsizetype>(blockSize, 1) : 0, Qt::Uninitialized);
    while (read) {
        const std::int64_t got =
            systemfile::readSome(file.get(), block.data(), block.size(), reason);
        if (got <= 0) {
            read = got == 0;
            break;
        }
        consume(QByteArrayView(block.constData(), qsizetype(got)));
    }
    if (!read && error)
        *error = reason;
    return read;
}

bool isRegularFile(const QString& path)
{
    return regularFileStamp(path).has_value();
}

bool canOpenForReading(const QString& path)
{
    if (!isRegularFile(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}

std::optional<QByteArray> readRegularFile(const QString& path, QString* error)
{
    std::optional<RegularFileContent> content = readWholeRegularFile(path, error);
    if (!content)
        return std::nullopt;
    return std::move(content->bytes);
}

} // namespace quillomat
