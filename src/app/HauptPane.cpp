// The description pane: messages, description files and its default character format.
#include "app/Haupt.h"

#include "app/MediumReader.h"
#include "app/SkinPalette.h"
#include "platform/CasePaths.h"
#include "platform/RegularFile.h"
#include "richtext/RtfDocument.h"
#include "text/TextTemplate.h"

#include <QFileInfo>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

namespace quillomat {
namespace {

// The part of the path's last component from its last dot, dot included; empty without a dot.
QString extensionOf(const QString& path)
{
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

// A read that takes longer than this shows a busy cursor over the pane: a spun-down drive, not
// the usual read of a description.
constexpr int kBusyCursorDelayMs = 300;

} // namespace

void TMain_Form::createMediumReaders()
{
    m_paneReader = std::make_unique<MediumReader>(QStringLiteral("description reader"));
    m_previewReader = std::make_unique<MediumReader>(QStringLiteral("picture reader"));
    // While a description is read the pane keeps what it shows: holding a key down would
    // otherwise make it flicker between texts. Only a read that takes long shows the busy
    // cursor.
    auto* busyCursor = new QTimer(this);
    busyCursor->setSingleShot(true);
    busyCursor->setInterval(kBusyCursorDelayMs);
    connect(busyCursor, &QTimer::timeout, this,
            [this] { Description_RichEdit->viewport()->setCursor(Qt::BusyCursor); });
    connect(m_paneReader.get(), &MediumReader::started, busyCursor, qOverload<>(&QTimer::start));
    connect(m_paneReader.get(), &MediumReader::settled, this, [this, busyCursor] {
        busyCursor->stop();
        Description_RichEdit->viewport()->unsetCursor();
    });
}

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
    m_paneReader->cancel(); // a description still being read must not replace the message
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
    requestDescription(path, false);
}

void TMain_Form::requestDescription(const QString& path, bool resolveCase)
{
    // The file is read on the pane's reader, its name looked up there too where the menu's
    // letter case may differ; the pane shows it once it is read, unless another file or a
    // message was asked for meanwhile.
    m_paneReader->request([this, path, resolveCase]() -> MediumReader::Apply {
        const QString onDisc = resolveCase ? resolvePathCase(path).path : path;
        std::optional<QByteArray> bytes = readRegularFile(onDisc);
        return [this, onDisc, bytes = std::move(bytes)] { showDescriptionBytes(onDisc, bytes); };
    });
}

void TMain_Form::showDescriptionBytes(const QString& path, const std::optional<QByteArray>& bytes)
{
    if (extensionOf(path).toUpper() != QLatin1String(".RTF"))
        ApplyDescriptionFont();
    if (bytes) {
        loadDocument(*Description_RichEdit->document(), *bytes);
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
