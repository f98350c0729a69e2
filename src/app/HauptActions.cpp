// What the user does in the main window: orders, filters, search, selection, setup, preview,
// help, keys and the window buttons.
#include "app/Haupt.h"

#include "app/ComboChoiceBox.h"
#include "app/MediumReader.h"
#include "app/PackageListView.h"
#include "app/SearchRunner.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "dialogs/ErrorBox.h"
#include "dialogs/PreviewWindow.h"
#include "graphics/PreviewPicture.h"
#include "platform/CasePaths.h"
#include "platform/ShellOpen.h"
#include "text/TextTemplate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QTextEdit>

namespace quillomat {
namespace {

const QString kSearchPrompt = QStringLiteral("enter keywords");

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The keys the window acts on wherever the focus is.
bool isWindowKey(int key)
{
    return key == Qt::Key_F1 || key == Qt::Key_F5 || key == Qt::Key_F9;
}

} // namespace

void TMain_Form::connectHandlers()
{
    connect(SortBy_ComboBox, &QComboBox::activated, this, [this] { SortBy_ComboBoxChange(); });
    connect(SortFilter_ComboBox, &QComboBox::currentTextChanged, this,
            [this] { SortFilter_ComboBoxChange(); });
    connect(Quillz_ListView, &QListWidget::itemSelectionChanged, this,
            [this] { Quillz_ListViewChange(); });
    connect(Quillz_ListView, &QListWidget::itemDoubleClicked, this,
            [this] { Setup_ExtSpeedButtonClick(); });
    connect(Setup_ExtSpeedButton, &QAbstractButton::clicked, this,
            [this] { Setup_ExtSpeedButtonClick(); });
    connect(Preview_ExtSpeedButton, &QAbstractButton::clicked, this,
            [this] { Preview_ExtSpeedButtonClick(); });
    connect(Help_ExtSpeedButton, &QAbstractButton::clicked, this,
            [this] { System_NewSpeedButtonClick(); });
    connect(Close_ExtSpeedButton, &QAbstractButton::clicked, this,
            [this] { Close_NewSpeedButtonClick(); });
    connect(Minimize_ExtSpeedButton, &QAbstractButton::clicked, this,
            [this] { Minimize_NewSpeedButtonClick(); });
    connect(Hilfe_MenuItem, &QAction::triggered, this, [this] { Hilfe_MenuItemClick(); });
    connect(About_MenuItem, &QAction::triggered, this, [this] { About_MenuItemClick(); });
}

bool TMain_Form::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // A box's open list is a window of its own; the window keys work there too, on the window
    // once the list is closed.
    if (TFlatComboBox* box = boxWithOpenList()) {
        const QWidget* popup = QApplication::activePopupWidget();
        const QWidget* receiver = popup && popup->focusWidget() ? popup->focusWidget() : popup;
        if (watched != receiver || !isWindowKey(key->key()))
            return false;
        box->hidePopup();
        FormKeyDown(key->key(), key->modifiers());
        return true;
    }
    // The window sees every key before the focused control does. A key event travels up the
    // widget chain, so take it only where it is first delivered.
    if (!isActiveWindow())
        return false;
    QWidget* focus = QApplication::focusWidget();
    if (watched != (focus ? static_cast<QObject*>(focus) : this) ||
        (focus && focus->window() != this))
        return false;
    FormKeyDown(key->key(), key->modifiers());
    // The description pane takes Enter itself and does nothing with it: someone reading the
    // text must not start an installer.
    if (focus == Description_RichEdit && isEnter(key->key()))
        return true;
    const bool inFilterBox =
        focus == SortFilter_ComboBox || (focus && focus->parentWidget() == SortFilter_ComboBox);
    if (inFilterBox) {
        SortFilter_ComboBoxKeyDown(key->key(), key->modifiers());
        // In the search the filter box keeps Enter: no button may take it.
        return SearchActive && isEnter(key->key());
    }
    return false;
}

TFlatComboBox* TMain_Form::boxWithOpenList() const
{
    for (TFlatComboBox* box : {SortBy_ComboBox, SortFilter_ComboBox}) {
        if (box->isListOpen())
            return box;
    }
    return nullptr;
}

void TMain_Form::SortBy_ComboBoxChange()
{
    const QString chosen = SortBy_ComboBox->currentText();
    SearchActive = chosen == Project->GetText(QStringLiteral("Search"));
    if (!SearchActive) {
        m_searchRunner->cancel(); // its result would replace the list of the new order
        {
            const QSignalBlocker quiet(SortFilter_ComboBox);
            SortFilter_ComboBox->setComboStyle(TComboBoxStyle::csDropDownList);
        }
        SortMode mode = SortMode::SortByName;
        if (chosen == Project->GetText(QStringLiteral("Name")))
            mode = SortMode::SortByName;
        else if (chosen == Project->GetText(QStringLiteral("Category")))
            mode = SortMode::SortByCategory;
        else if (chosen == Project->GetText(QStringLiteral("Company")))
            mode = SortMode::SortByCompany;
        if (mode == CurrentSortMode)
            return;
        CurrentSortMode = mode;
        CurrentFilter.clear();
        ComboChoiceBox filter(*SortFilter_ComboBox);
        Project->FillFilterList(filter, mode);
        Quillz_ListView->refill(
            [&](RowList& rows) { Project->FillApplicationList(rows, mode, QString()); });
        filter.setSelectedIndex(0);
        return;
    }
    if (CurrentSortMode == SortMode::SortBySearch)
        return;
    CurrentSortMode = SortMode::SortBySearch;
    Quillz_ListView->clearRows();
    {
        const QSignalBlocker quiet(SortFilter_ComboBox);
        SortFilter_ComboBox->setComboStyle(TComboBoxStyle::csSimple);
        SortFilter_ComboBox->setEditText(kSearchPrompt);
    }
    SortFilter_ComboBox->setVisible(true);
    SortFilter_ComboBox->setEnabled(true);
    Preview_ExtSpeedButton->setEnabled(false);
    Setup_ExtSpeedButton->setEnabled(false);
    ShowPaneMessage(Project->GetText(QStringLiteral("searchhelp")));
    SortFilter_ComboBox->setFocus();
    // As a combo box does when it takes the focus: the prompt is selected, typing replaces it.
    if (QLineEdit* edit = SortFilter_ComboBox->lineEdit())
        edit->selectAll();
}

void TMain_Form::SortFilter_ComboBoxChange()
{
    if (SearchActive)
        return;
    const QString text = SortFilter_ComboBox->currentText();
    if (text == CurrentFilter)
        return;
    CurrentFilter = text;
    Quillz_ListView->refill(
        [&](RowList& rows) { Project->FillApplicationList(rows, CurrentSortMode, text); });
}

void TMain_Form::SortFilter_ComboBoxKeyDown(int key, Qt::KeyboardModifiers)
{
    if (!SearchActive || !isEnter(key))
        return;
    if (!m_searchRunner->start(SortFilter_ComboBox->currentText()))
        return; // a search is running: this Enter is not a second one
    if (QLineEdit* edit = SortFilter_ComboBox->lineEdit())
        edit->selectAll();
}

const TAppDescription* TMain_Form::selectedPackage() const
{
    return Quillz_ListView->selectedPackage();
}

void TMain_Form::Quillz_ListViewChange()
{
    const TAppDescription* package = selectedPackage();
    if (!package)
        return;
    Setup_ExtSpeedButton->setEnabled(!package->RunFile().isEmpty());
    Preview_ExtSpeedButton->setEnabled(!package->Bitmap().isEmpty());
    if (!package->TextFile().isEmpty())
        requestDescription(package->TextFile(), true); // ShowDescriptionFile, name found there
    else
        ShowPaneMessage(Project->GetText(QStringLiteral("nodescription")));
}

void TMain_Form::showError(const QString& message)
{
    showErrorBox(this, message);
}

void TMain_Form::Setup_ExtSpeedButtonClick()
{
    const TAppDescription* package = selectedPackage();
    if (!package)
        return;
    if (package->RunFile().isEmpty()) {
        showError(Project->GetText(QStringLiteral("NoTarget")));
        return;
    }
    const QString runFile = resolvePathCase(package->RunFile()).path;
    const QString textKey = shellOutcomeTextKey(shellOutcome(shellOpen(runFile)));
    if (!textKey.isEmpty())
        showError(fillTemplate(Project->GetText(textKey), runFile));
}

void TMain_Form::Preview_ExtSpeedButtonClick()
{
    const TAppDescription* package = selectedPackage();
    if (!package || package->Bitmap().isEmpty())
        return;
    // The press starts the read; the window or the error box comes when it is done. A second
    // press meanwhile opens no second window.
    if (m_previewReader->isBusy())
        return;
    const QString caption =
        Project->GetText(QStringLiteral("PreviewTitle")) + QStringLiteral(" - ") + package->Name;
    m_previewReader->request(
        [this, menuName = package->Bitmap(), caption]() -> MediumReader::Apply {
            const QString bitmap = resolvePathCase(menuName).path; // looks at the medium
            std::optional<QImage> picture = loadPreviewPicture(bitmap);
            return [this, bitmap, caption, picture = std::move(picture)] {
                if (!picture) {
                    showError(
                        fillTemplate(Project->GetText(QStringLiteral("CannotOpenBitmap")), bitmap));
                    return;
                }
                showPreviewWindow(this, caption, *picture);
            };
        });
}

QPoint TMain_Form::helpMenuPosition() const
{
    const QRect button = Help_ExtSpeedButton->geometry();
    return mapToGlobal(QPoint(button.left(), button.top() + button.height()));
}

void TMain_Form::System_NewSpeedButtonClick()
{
    Help_PopupMenu->popup(helpMenuPosition());
}

void TMain_Form::Hilfe_MenuItemClick()
{
    ShowDescriptionFile(ProgramFolder + QStringLiteral("help.rtf"));
}

void TMain_Form::About_MenuItemClick()
{
    ShowDescriptionFile(ProgramFolder + QStringLiteral("about.rtf"));
}

void TMain_Form::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_F1) {
        // The help menu from the keyboard, its first item ready for Enter.
        System_NewSpeedButtonClick();
        Help_PopupMenu->setActiveAction(Hilfe_MenuItem);
    } else if (key == Qt::Key_F5) {
        ApplySkin();
    } else if (key == Qt::Key_F9) {
        showContent(Description_RichEdit->isHidden());
    }
}

void TMain_Form::showContent(bool show)
{
    if (!show) {
        QWidget* focus = QApplication::focusWidget();
        m_focusBeforeHiding = focus && focus->window() == this ? focus : nullptr;
    }
    // A disabled box keeps its visibility, so the filter box hidden in the name order stays
    // hidden.
    for (TFlatComboBox* box : {SortBy_ComboBox, SortFilter_ComboBox}) {
        if (box->isEnabled())
            box->setVisible(show);
    }
    Quillz_ListView->setVisible(show);
    Description_RichEdit->setVisible(show);
    if (show) {
        // The control that had the focus gets it back (the list, if none or it stays hidden).
        QWidget* back = m_focusBeforeHiding;
        (back && back->isVisibleTo(this) ? back : Quillz_ListView)->setFocus();
    }
}

void TMain_Form::Close_NewSpeedButtonClick()
{
    close();
}

void TMain_Form::Minimize_NewSpeedButtonClick()
{
    showMinimized();
}

} // namespace quillomat
