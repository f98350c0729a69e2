#include "dialogs/ErrorBox.h"

#include "dialogs/WindowPlacement.h"

#include <QMessageBox>

#include <utility>

namespace quillomat {

namespace {

ErrorBoxHook& currentHook()
{
    static ErrorBoxHook hook;
    return hook;
}

// QMessageBox works out its size only while it is being shown, so it is centred right then,
// before the window system maps it.
class CentredMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        centreOnPrimaryScreen(this);
    }
};

} // namespace

void showErrorBox(QWidget* parent, const QString& message)
{
    if (const ErrorBoxHook& hook = currentHook()) {
        hook(parent, message);
        return;
    }
    CentredMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), message, QMessageBox::Ok,
                          parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

ErrorBoxHook setErrorBoxHook(ErrorBoxHook hook)
{
    return std::exchange(currentHook(), std::move(hook));
}

} // namespace quillomat
