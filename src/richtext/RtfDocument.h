#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

namespace quillomat {

// A document shows at most this many characters (paragraph and cell ends count as one); the
// rest of a longer file is left out. Laying out text costs about a quarter of a second per
// million characters, and a description is read in its first pages: a 100 MB file would keep
// the window frozen for minutes.
constexpr qsizetype kMaxDocumentCharacters = 4 * 1024 * 1024;

// Replaces the document's content with the bytes: RTF (looksLikeRtf) with its own formatting,
// anything else as plain text decoded like a text file (decodeText), up to
// kMaxDocumentCharacters. RTF text without a colour of its own gets none, so the view's
// default text colour shows through.
void loadDocument(QTextDocument& document, QByteArrayView bytes);

// The same for a file. Returns false, with the reason in *error, when the file cannot be read;
// the document is then left as it was.
bool loadDocumentFromFile(QTextDocument& document, const QString& path, QString* error = nullptr);

} // namespace quillomat
