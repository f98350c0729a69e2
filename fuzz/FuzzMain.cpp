// The libFuzzer entry points. Built once per target with QUILLOMAT_FUZZ_TARGET naming the
// function of FuzzTargets.h and QUILLOMAT_FUZZ_APPLICATION the Qt application class it needs.
#include "FuzzTargets.h"

#include <QtGlobal>

#include QUILLOMAT_FUZZ_APPLICATION_HEADER

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Warnings about odd input (a font size Qt refuses, a picture it cannot read) are expected and
// would only slow the fuzzer down; fatal messages still abort, which the fuzzer reports.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs(qPrintable(message), stderr);
        std::fputc('\n', stderr);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QUILLOMAT_FUZZ_VERBOSE"))
        qInstallMessageHandler(quietMessages);
    // The application lives until the process ends; libFuzzer never returns to main.
    // It gets an argument list of its own: Qt would take options out of libFuzzer's.
    static int argc = 1;
    static char name[] = "quillomat-fuzz";
    static char* argv[] = {name, nullptr};
    new QUILLOMAT_FUZZ_APPLICATION(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quillomat::fuzz::QUILLOMAT_FUZZ_TARGET(
        QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
