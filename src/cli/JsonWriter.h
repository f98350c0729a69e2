#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace quillomat {

// Writes indented JSON in the order the calls come, so that object keys keep the order the
// caller chose (QJsonDocument would sort them).
class JsonWriter
{
public:
    void beginObject() { open(u'{'); }
    void endObject() { close(u'}'); }
    void beginArray() { open(u'['); }
    void endArray() { close(u']'); }
    // The next value belongs to this key of the current object.
    void key(const QString& name);

    void value(const QString& text);
    void value(bool flag);
    void value(qint64 number);
    void nullValue();

    // The document as UTF-8, ending in a line break.
    QByteArray toUtf8() const;

private:
    void beforeValue();
    void open(QChar bracket);
    void close(QChar bracket);
    void newLine();
    void appendQuoted(const QString& text);

    QString m_text;
    QList<bool> m_hasMembers; // one per open object or array
    bool m_afterKey = false;
};

} // namespace quillomat
