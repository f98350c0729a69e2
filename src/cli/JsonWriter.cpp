#include "cli/JsonWriter.h"

namespace quillomat {

void JsonWriter::newLine()
{
    m_text.append(u'\n');
    m_text.append(QString(m_hasMembers.size() * 2, u' '));
}

void JsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasMembers.isEmpty()) {
        if (m_hasMembers.back())
            m_text.append(u',');
        m_hasMembers.back() = true;
        newLine();
    }
}

void JsonWriter::open(QChar bracket)
{
    beforeValue();
    m_text.append(bracket);
    m_hasMembers.append(false);
}

void JsonWriter::close(QChar bracket)
{
    const bool hadMembers = m_hasMembers.takeLast();
    if (hadMembers)
        newLine();
    m_text.append(bracket);
}

void JsonWriter::key(const QString& name)
{
    beforeValue();
    appendQuoted(name);
    m_text.append(QStringLiteral(": "));
    m_afterKey = true;
}

void JsonWriter::value(const QString& text)
{
    beforeValue();
    appendQuoted(text);
}

void JsonWriter::value(bool flag)
{
    beforeValue();
    m_text.append(flag ? QStringLiteral("true") : QStringLiteral("false"));
}

void JsonWriter::value(qint64 number)
{
    beforeValue();
    m_text.append(QString::number(number));
}

void JsonWriter::nullValue()
{
    beforeValue();
    m_text.append(QStringLiteral("null"));
}

void JsonWriter::appendQuoted(const QString& text)
{
    m_text.append(u'"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            m_text.append(QStringLiteral("\\\""));
            break;
        case u'\\':
            m_text.append(QStringLiteral("\\\\"));
            break;
        case u'\n':
            m_text.append(QStringLiteral("\\n"));
            break;
        case u'\r':
            m_text.append(QStringLiteral("\\r"));
            break;
        case u'\t':
            m_text.append(QStringLiteral("\\t"));
            break;
        default:
            if (c.unicode() < 0x20)
                m_text.append(QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0')));
            else
                m_text.append(c);
        }
    }
    m_text.append(u'"');
}

QByteArray JsonWriter::toUtf8() const
{
    return (m_text + u'\n').toUtf8();
}

} // namespace quillomat
