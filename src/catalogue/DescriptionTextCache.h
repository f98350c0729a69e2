#pragma once

#include "platform/RegularFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <QReadWriteLock>

#include <functional>
#include <mutex>
#include <optional>

namespace quillomat {

// The plain text of a description file as the keyword search sees it: the text of an RTF file
// (recognised by its content) or the decoded text of any other file; nullopt when the file
// cannot be read or is not a regular file. Like every file a menu names, it is looked for
// without regard to letter case where it does not exist as written (CasePaths.h).
std::optional<QString> descriptionPlainText(const QString& path);

// Upper-cased plain texts of description files, as UTF-8 (see UpperCasedUtf8.h), kept between
// searches so that a repeated search reads no unchanged file again. An entry is reused only
// while the file's size, modification time, change time and identity are what they were when
// it was read; the result therefore always equals a fresh read of the file.
//
// The texts kept never exceed a budget of bytes: past it, files are still read and converted
// for the search that asks, but not kept. Every member may be called from any thread.
class DescriptionTextCache
{
public:
    // Turns the bytes of a description file into its plain text. Called on several threads at
    // once, so it must not change shared state.
    using Converter = std::function<QString(QByteArrayView bytes)>;
    // Called before a file is read from the medium; the read happens while the returned lock
    // is held (ReadPrecedence::takeHead), the conversion after it is released.
    using ReadGate = std::function<std::unique_lock<std::mutex>()>;

    // 64 MB of text: the descriptions of several thousand packages of a typical disc.
    static constexpr qsizetype kDefaultBudgetBytes = qsizetype(64) << 20;

    explicit DescriptionTextCache(qsizetype budgetBytes = kDefaultBudgetBytes);
    explicit DescriptionTextCache(Converter converter, qsizetype budgetBytes = kDefaultBudgetBytes);

    // Empty for an empty path and for a file that is missing, unreadable or not a regular file
    // (a device or a pipe is never read: it might never end). The file is looked for as
    // descriptionPlainText does.
    QByteArray upperCasedText(const QString& path, const ReadGate& gate = {});

    // Reads and keeps the file's text unless an up-to-date one is kept already. False only when
    // the budget has no room left for it, so that a warm-up knows to stop.
    bool keepText(const QString& path, const ReadGate& gate = {});

    qsizetype entryCount() const;
    qsizetype keptBytes() const;
    qsizetype budgetBytes() const { return m_budgetBytes; }
    void clear();

private:
    struct Entry
    {
        FileStamp stamp;
        QString onDisc; // the name the file was read under (the menu's, unless case differs)
        QByteArray upperText;
    };
    enum class Lookup
    {
        Fresh,
        Stale,
        Absent
    };

    Lookup lookUp(const QString& path, QByteArray* text) const;
    // Reads and converts the file; keeps the text when there is room. nullopt when unreadable.
    std::optional<QByteArray> readAndKeep(const QString& path, const ReadGate& gate, bool* kept);

    // The bytes of a file to its upper-cased UTF-8 text.
    const std::function<QByteArray(QByteArrayView bytes)> m_toSearchText;
    const qsizetype m_budgetBytes;
    mutable QReadWriteLock m_lock; // guards the two members below
    QHash<QString, Entry> m_entries;
    qsizetype m_keptBytes = 0;
};

} // namespace quillomat
