// The description pane: messages, description files and its default character format.
#include "app/Haupt.h"

#include "app/SkinPalette.h"
#include "catalogue/DescriptionWarmUp.h"
#include "platform/TextTemplate.h"
#include "richtext/RtfDocument.h"

#include <QFileInfo>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

#include <optional>

namespace quillomat {
namespace {

// The part of the path's last component from its last dot, dot included; empty without a dot.
QString extensionOf(const QString& path)
{
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

} // namespace

void TMain_Form::ApplyDescriptionFont()
{
    // Text inserted afterwards without its own format (plain text, messages) takes this one:
    // the document's default font and the pane's text colour. The colour is left to the
    // palette, so that such text follows the skin's description colour after F5.
    QTextCharFormat format;
    format.setFont(DescriptionFont.font);
    Description_RichEdit->document()->setDefaultFont(DescriptionFont.font);
    setPanelTextColor(*Description_RichEdit, DescriptionFont.color);
    Description_RichEdit->setCurrentCharFormat(format);
}

void TMain_Form::ShowPaneMessage(const QString& text)
{
    Description_RichEdit->clear();
    ApplyDescriptionFont();
    QTextCursor cursor(Description_RichEdit->document());
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.insertText(expandLineBreaks(text), Description_RichEdit->currentCharFormat());
    Description_RichEdit->moveCursor(QTextCursor::Start);
}

void TMain_Form::ShowDescriptionFile(const QString& path)
{
    std::optional<ForegroundRead> holdWarmUpBack; // the user waits for this file
    if (Project)
        holdWarmUpBack.emplace(Project->readPrecedence());
    if (extensionOf(path).toUpper() != QLatin1String(".RTF"))
        ApplyDescriptionFont();
    if (loadDocumentFromFile(*Description_RichEdit->document(), path)) {
        Description_RichEdit->moveCursor(QTextCursor::Start); // a new text is read from its top
        return;
    }
    Description_RichEdit->clear();
    ApplyDescriptionFont();
    QTextCursor cursor(Description_RichEdit->document());
    cursor.insertText(fillTemplate(Project->GetText(QStringLiteral("CannotOpenFile")), path),
                      Description_RichEdit->currentCharFormat());
    Description_RichEdit->moveCursor(QTextCursor::Start);
}

} // namespace quillomat
