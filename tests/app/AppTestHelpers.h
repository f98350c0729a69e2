#pragma once

#include "TestFiles.h"
#include "app/Haupt.h"
#include "app/MediumReader.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QTest>

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

// Waits until the window has shown what its readers were asked for (a description in the pane,
// a preview picture or its error box); false when that takes longer than a slow medium could.
inline bool settled(const quillomat::TMain_Form& form)
{
    return QTest::qWaitFor(
        [&] { return !form.paneReader()->isBusy() && !form.previewReader()->isBusy(); }, 20000);
}
