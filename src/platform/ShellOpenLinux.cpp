// GIO comes first: its headers use names that Qt defines as macros (the target also builds with
// QT_NO_KEYWORDS).
#include <gio/gio.h>

#include "platform/ShellOpen.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

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
    }
    return hasDefaultApplication(info.absoluteFilePath());
}

} // namespace quillomat
