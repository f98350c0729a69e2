#pragma once

#include "TestFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QString>
#include <QStringList>

// Helpers the main-window tests share.

const QString kAppTestData = QStringLiteral(QUILLOMAT_TEST_DATA_DIR "/app/");

// Writes a test file, creating its folder; a failure ends the test run.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    writeFixtureFile(path, bytes);
}

// The captions of a list's rows, top to bottom.
inline QStringList captionsOf(const QListWidget* list)
{
    QStringList captions;
    for (int i = 0; i < list->count(); ++i)
        captions.append(list->item(i)->text());
    return captions;
}
