#pragma once

#include <QByteArrayView>

namespace quillomat::fuzz {

// Each function runs one input through a reader and through everything that consumes what the
// reader made of it. None of them may crash, hang, leak or read out of bounds, whatever the
// bytes are. They are shared by the libFuzzer executables and by the test that replays the
// regression inputs, so a crash found once is replayed by every normal test run.

// The INI reader with text decoding: sections, values, section pairs.
void iniFile(QByteArrayView bytes);

// The RTF reader through both outputs: plain text and a QTextDocument. Needs a QGuiApplication.
void richText(QByteArrayView bytes);

// The bytes as a menu file (optionally preceded by a language file, see MenuFileTarget.cpp),
// loaded into a TProject and walked through every view and a few searches.
void menuFile(QByteArrayView bytes);

// The bytes as a skin file: every value through the integer and boolean parsers, then read by
// the skin reader onto a main window. Needs a QApplication.
void skin(QByteArrayView bytes);

} // namespace quillomat::fuzz
