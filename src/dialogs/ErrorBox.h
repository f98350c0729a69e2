#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quillomat {

// Shows the program's error box and returns when the user has closed it: modal, error icon,
// caption "Error", the message, one OK button, centred on the primary screen.
void showErrorBox(QWidget* parent, const QString& message);

// Replaces what showErrorBox does, so that tests can record the messages instead of blocking in
// a modal loop. An empty function restores the real box. Returns the hook it replaces.
using ErrorBoxHook = std::function<void(QWidget* parent, const QString& message)>;
ErrorBoxHook setErrorBoxHook(ErrorBoxHook hook);

} // namespace quillomat
