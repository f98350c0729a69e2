// GIO comes first: its headers use names that Qt defines as macros (the target also builds with
// QT_NO_KEYWORDS).
#include <gio/gio.h>

#include "platform/ShellOpen.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <elf.h>
#include <sys/statvfs.h>

#include <climits>
#include <cstddef>
#include <memory>

namespace quillomat {

namespace {

// The kernel looks at no more than this many bytes of a "#!" line.
constexpr qint64 kShebangLineLimit = 256;

struct GObjectUnref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GFree
{
    void operator()(gpointer memory) const { g_free(memory); }
};
template <typename T> using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
using GCharPtr = std::unique_ptr<gchar, GFree>;

QByteArray fileStart(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(kShebangLineLimit);
}

// Interpreter and its optional single argument, split as the kernel splits a "#!" line.
QStringList shebangCommand(const QByteArray& start)
{
    if (!start.startsWith("#!"))
        return {};
    QByteArray line = start.mid(2);
    const qsizetype end = line.indexOf('\n');
    if (end >= 0)
        line.truncate(end);
    line = line.trimmed();
    qsizetype gap = 0;
    while (gap < line.size() && line[gap] != ' ' && line[gap] != '\t')
        ++gap;
    QStringList command{QFile::decodeName(line.left(gap))};
    const QByteArray argument = line.mid(gap).trimmed();
    if (!argument.isEmpty())
        command << QFile::decodeName(argument);
    return command;
}

bool isElfBinary(const QByteArray& start)
{
    return start.startsWith("\x7f"
                            "ELF");
}

// The bytes of an ELF header that say which machines can run the file: word size, byte order
// and processor.
QByteArray elfMachine(const QByteArray& header)
{
    if (header.size() < qsizetype(sizeof(Elf32_Ehdr)) || !isElfBinary(header))
        return {};
    return header.mid(EI_CLASS, 2) + header.mid(offsetof(Elf32_Ehdr, e_machine), 2);
}

template <typename Header, typename ProgramHeader> QString loaderNamedBy(QFile& file)
{
    Header header;
    if (!file.seek(0) ||
        file.read(reinterpret_cast<char*>(&header), sizeof header) != sizeof header)
        return {};
    if (header.e_phentsize != sizeof(ProgramHeader))
        return {};
    for (unsigned index = 0; index < header.e_phnum; ++index) {
        ProgramHeader entry;
        if (!file.seek(qint64(header.e_phoff + index * sizeof entry)) ||
            file.read(reinterpret_cast<char*>(&entry), sizeof entry) != sizeof entry)
            return {};
        if (entry.p_type != PT_INTERP)
            continue;
        if (entry.p_filesz < 2 || entry.p_filesz > PATH_MAX || !file.seek(qint64(entry.p_offset)))
            return {};
        QByteArray name = file.read(qint64(entry.p_filesz));
        const qsizetype end = name.indexOf('\0');
        if (end < 0)
            return {};
        name.truncate(end);
        return QFile::decodeName(name);
    }
    return {}; // linked statically: no loader
}

// The loader (ELF interpreter) that a program for this machine names: a program without the
// execute bit can still run through it, as the kernel itself would run it. Empty for a file of
// another machine, a program without a loader, or anything that is no ELF program.
QString elfLoaderOf(const QString& program, const QByteArray& start)
{
    static const QByteArray ownMachine = elfMachine(fileStart(QStringLiteral("/proc/self/exe")));
    const QByteArray machine = elfMachine(start);
    if (machine.isEmpty() || machine != ownMachine)
        return {};
    QFile file(program);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString loader = start[EI_CLASS] == ELFCLASS64
                               ? loaderNamedBy<Elf64_Ehdr, Elf64_Phdr>(file)
                               : loaderNamedBy<Elf32_Ehdr, Elf32_Phdr>(file);
    const QFileInfo info(loader);
    return info.isAbsolute() && info.isFile() && info.isExecutable() ? loader : QString();
}

// A file system mounted noexec lets no program run from it, not even through the loader.
bool onNoExecMount(const QString& path)
{
    struct statvfs status;
    return statvfs(QFile::encodeName(path).constData(), &status) == 0 &&
           (status.f_flag & ST_NOEXEC);
}

// The desktop's default application for the file's type; null when there is none.
GObjectPtr<GAppInfo> defaultApplication(GFile* file, const QByteArray& nativePath)
{
    GCharPtr contentType;
    const GObjectPtr<GFileInfo> info(g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                                       G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    if (info && g_file_info_get_content_type(info.get()))
        contentType.reset(g_strdup(g_file_info_get_content_type(info.get())));
    else
        contentType.reset(g_content_type_guess(nativePath.constData(), nullptr, 0, nullptr));
    return GObjectPtr<GAppInfo>(g_app_info_get_default_for_type(contentType.get(), FALSE));
}

bool hasDefaultApplication(const QString& path)
{
    const QByteArray nativePath = QFile::encodeName(path);
    const GObjectPtr<GFile> file(g_file_new_for_path(nativePath.constData()));
    return bool(defaultApplication(file.get(), nativePath));
}

int openWithAssociation(const QString& path)
{
    const QByteArray nativePath = QFile::encodeName(path);
    const GObjectPtr<GFile> file(g_file_new_for_path(nativePath.constData()));
    const GObjectPtr<GAppInfo> application = defaultApplication(file.get(), nativePath);
    if (!application)
        return shellresult::NoAssociation;

    GList files{};
    files.data = file.get();
    GError* error = nullptr;
    const bool launched = g_app_info_launch(application.get(), &files, nullptr, &error);
    if (error)
        g_error_free(error);
    return launched ? shellresult::Started : shellresult::AccessDenied;
}

// A "#!" line whose interpreter is an absolute path to a program: what the kernel, and
// shellOpen for a script without the execute bit, can run.
bool hasRunnableInterpreter(const QByteArray& start)
{
    const QStringList command = shebangCommand(start);
    if (command.isEmpty())
        return false;
    const QFileInfo interpreter(command.first());
    return interpreter.isAbsolute() && interpreter.isFile() && interpreter.isExecutable();
}

} // namespace

int shellOpen(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return shellresult::FileNotFound;

    if (info.isFile()) {
        const QString program = info.absoluteFilePath();
        const QString folder = info.absolutePath();
        const QByteArray start = fileStart(program);
        if (info.isExecutable()) {
            if (QProcess::startDetached(program, {}, folder))
                return shellresult::Started;
            // The execute bit alone does not make a program: FAT and NTFS media set it on every
            // file, and such a document should still open in its application.
            if (isElfBinary(start) || start.startsWith("#!"))
                return shellresult::AccessDenied;
        } else if (const QString loader = elfLoaderOf(program, start); !loader.isEmpty()) {
            // A program without the execute bit, as on media mounted without execute bits (FAT
            // with showexec, a disc without Rock Ridge): the loader runs it, as the kernel
            // would, under its own name as its first argument.
            if (onNoExecMount(program))
                return shellresult::AccessDenied;
            return QProcess::startDetached(loader, {program}, folder) ? shellresult::Started
                                                                      : shellresult::AccessDenied;
        } else if (start.startsWith("#!")) {
            // A script without the execute bit: run its interpreter on it, as the kernel would.
            QStringList command = shebangCommand(start);
            const QString interpreter = command.takeFirst();
            if (!QFileInfo(interpreter).isAbsolute())
                return shellresult::AccessDenied;
            command << program;
            return QProcess::startDetached(interpreter, command, folder)
                       ? shellresult::Started
                       : shellresult::AccessDenied;
        }
    }
    return openWithAssociation(info.absoluteFilePath());
}

bool canShellOpen(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return false;
    if (info.isFile()) {
        const QByteArray start = fileStart(info.absoluteFilePath());
        if (start.startsWith("#!"))
            return hasRunnableInterpreter(start);
        if (info.isExecutable() && isElfBinary(start))
            return true;
        if (!elfLoaderOf(info.absoluteFilePath(), start).isEmpty())
            return !onNoExecMount(info.absoluteFilePath());
    }
    return hasDefaultApplication(info.absoluteFilePath());
}

} // namespace quillomat
