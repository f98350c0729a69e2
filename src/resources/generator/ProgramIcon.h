#pragma once

#include <QByteArray>
#include <QImage>

namespace quillomat::artwork {

// The program's icon at `size` x `size` pixels: a disc with a quill's "Q", transparent around.
QImage programIcon(int size);

// The icon as a Windows .ico file: one PNG-compressed entry per size, smallest first.
QByteArray programIconFile();

} // namespace quillomat::artwork
