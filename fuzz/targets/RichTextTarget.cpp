#include "FuzzTargets.h"

#include "richtext/PlainText.h"
#include "richtext/RtfDocument.h"

#include <QTextDocument>

namespace quillomat::fuzz {

void richText(QByteArrayView bytes)
{
    const QString plain = rtfToPlainText(bytes);
    (void)plain.size();

    QTextDocument document;
    loadDocument(document, bytes);
    // What the description pane and the hidden search view do with the document afterwards.
    (void)document.toPlainText();
    (void)document.blockCount();
}

} // namespace quillomat::fuzz
