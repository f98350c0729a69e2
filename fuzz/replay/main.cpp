// quillomat-fuzz-replay: runs saved inputs through the fuzz targets, without libFuzzer, on any
// system the program builds for (the Windows build runs it under Wine in CI).
//
//   quillomat-fuzz-replay [--seconds N] TARGET FILE...     TARGET: inifile richtext menufile skin
//
// Prints "ok FILE" for each input that came through. An input that takes longer than N seconds
// (default 20) ends the program with exit status 3 and "too slow: FILE"; a crash ends it as
// crashes do, with "running FILE" as the last line on standard output.
#include "FuzzTargets.h"

#include <QApplication>
#include <QFile>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

using Target = void (*)(QByteArrayView);

constexpr int kExitUsage = 2;
constexpr int kExitTooSlow = 3;
constexpr int kExitUnreadable = 4;

const std::pair<const char*, Target> kTargets[] = {
    {"inifile", quillomat::fuzz::iniFile},
    {"richtext", quillomat::fuzz::richText},
    {"menufile", quillomat::fuzz::menuFile},
    {"skin", quillomat::fuzz::skin},
};

// Ends the process when one input runs longer than its limit. The replay runs on the main
// thread (the skin target needs widgets); this thread only waits.
class Watchdog
{
public:
    explicit Watchdog(std::chrono::seconds limit) : m_limit(limit), m_thread([this] { watch(); }) {}

    ~Watchdog()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    void start(const QString& input)
    {
        const std::lock_guard lock(m_mutex);
        m_input = input;
        m_running = true;
        ++m_generation;
        m_changed.notify_all();
    }

    void stop()
    {
        const std::lock_guard lock(m_mutex);
        m_running = false;
        m_changed.notify_all();
    }

private:
    void watch()
    {
        std::unique_lock lock(m_mutex);
        while (!m_done) {
            if (!m_running) {
                m_changed.wait(lock);
                continue;
            }
            const unsigned long generation = m_generation;
            const bool moved = m_changed.wait_for(
                lock, m_limit, [&] { return m_done || !m_running || m_generation != generation; });
            if (!moved) {
                std::printf("too slow: %s (over %lld s)\n", qPrintable(m_input),
                            static_cast<long long>(m_limit.count()));
                std::fflush(stdout);
                std::_Exit(kExitTooSlow);
            }
        }
    }

    const std::chrono::seconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    QString m_input;
    unsigned long m_generation = 0;
    bool m_running = false;
    bool m_done = false;
    std::thread m_thread; // last: starts once the members above exist
};

// Odd input makes Qt warn (a font size it refuses, a picture it cannot read); that is expected.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
}

int usage()
{
    std::fputs(
        "usage: quillomat-fuzz-replay [--seconds N] inifile|richtext|menufile|skin FILE...\n",
        stderr);
    return kExitUsage;
}

} // namespace

int main(int argc, char* argv[])
{
    // A platform without a display, as the fuzzers use: no window is shown.
    qputenv("QT_QPA_PLATFORM", QUILLOMAT_HEADLESS_PLATFORM);
    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);

    int seconds = 20;
    if (args.size() >= 2 && args.front() == QStringLiteral("--seconds")) {
        bool isNumber = false;
        seconds = args[1].toInt(&isNumber);
        if (!isNumber || seconds < 1)
            return usage();
        args = args.mid(2);
    }
    if (args.size() < 2)
        return usage();
    Target target = nullptr;
    for (const auto& [name, function] : kTargets) {
        if (args.front() == QLatin1StringView(name))
            target = function;
    }
    if (!target)
        return usage();

    Watchdog watchdog{std::chrono::seconds(seconds)};
    for (const QString& path : args.mid(1)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::printf("cannot read: %s\n", qPrintable(path));
            return kExitUnreadable;
        }
        const QByteArray bytes = file.readAll();
        std::printf("running %s\n", qPrintable(path));
        std::fflush(stdout);
        watchdog.start(path);
        target(bytes);
        watchdog.stop();
        std::printf("ok %s\n", qPrintable(path));
        std::fflush(stdout);
    }
    return 0;
}
