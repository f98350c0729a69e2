#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

namespace quillomat {

// Replaces the document's content with the bytes: RTF (looksLikeRtf) with its own formatting,
// anything else as plain text decoded like a text file (decodeText). RTF text without a colour
// of its own gets none, so the view's default text colour shows through.
void loadDocument(QTextDocument& document, QByteArrayView bytes);

// The same for a file. Returns false, with the reason in *error, when the file cannot be read;
// the document is then left as it was.
bool loadDocumentFromFile(QTextDocument& document, const QString& path, QString* error = nullptr);

} // namespace quillomat
