#pragma once

#include "app/SkinModul.h"
#include "catalogue/SortMode.h"
#include "catalogue/TProject.h"
#include "controls/TSkinnedForm.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class QAction;
class QMenu;
class QTextEdit;

namespace quillomat {

class FocusMark;
class MediumReader;
class PackageListView;
class SearchRunner;
class TExtSpeedButton;
class TFlatComboBox;

// The main window: start-up, the shaped and painted window with its boxes, list, description
// pane and buttons, and every user action. Its state is its own: others read it, and the skin
// reader changes what a skin may set through SkinnableWindow.
class TMain_Form : public TSkinnedForm, public SkinnableWindow
{
    Q_OBJECT

public:
    static constexpr int kDesignWidth = 592;
    static constexpr int kDesignHeight = 373;

    explicit TMain_Form(QWidget* parent = nullptr);
    // A window that reads its own files (skin, help, about) from `programFolder` (ending in '/')
    // before FormCreate names the folder.
    explicit TMain_Form(const QString& programFolder, QWidget* parent = nullptr);
    ~TMain_Form() override;

    // Runs the whole start-up before the window is first shown, with the program's arguments
    // and the folder of its own files (the executable's folder, ending in '/'). Returns false
    // when the user cancelled the language chooser: the program then ends with exit code 0.
    bool FormCreate(const QStringList& arguments, const QString& programFolder);

    // Description pane.
    void ApplyDescriptionFont();
    void ShowPaneMessage(const QString& text);
    void ShowDescriptionFile(const QString& path);

    // Reads the skin file again and shapes the window for its size.
    void ApplySkin();

    // The folder of the program's own files, ending in '/'.
    const QString& programFolder() const { return ProgramFolder; }
    // The catalogue; null before FormCreate.
    TProject* project() const { return Project.get(); }
    SortMode currentSortMode() const { return CurrentSortMode; }
    const QString& currentFilter() const { return CurrentFilter; }
    bool searchActive() const { return SearchActive; }
    const ColoredFont& descriptionFont() const { return DescriptionFont; }

    // Controls, named as the layout names them (also their objectNames); made once, at
    // construction.
    TExtSpeedButton* setupExtSpeedButton() const { return Setup_ExtSpeedButton; }
    TExtSpeedButton* previewExtSpeedButton() const { return Preview_ExtSpeedButton; }
    TExtSpeedButton* closeExtSpeedButton() const { return Close_ExtSpeedButton; }
    TExtSpeedButton* minimizeExtSpeedButton() const { return Minimize_ExtSpeedButton; }
    TExtSpeedButton* helpExtSpeedButton() const { return Help_ExtSpeedButton; }
    TFlatComboBox* sortByComboBox() const { return SortBy_ComboBox; }
    TFlatComboBox* sortFilterComboBox() const { return SortFilter_ComboBox; }
    PackageListView* quillzListView() const { return Quillz_ListView; }
    QTextEdit* descriptionRichEdit() const { return Description_RichEdit; }
    QMenu* helpPopupMenu() const { return Help_PopupMenu; }
    QAction* hilfeMenuItem() const { return Hilfe_MenuItem; }
    QAction* aboutMenuItem() const { return About_MenuItem; }
    FocusMark* focusMark() const { return Focus_Mark; }

    // User actions.
    void SortBy_ComboBoxChange();
    void SortFilter_ComboBoxChange();
    void SortFilter_ComboBoxKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Quillz_ListViewChange();
    void Setup_ExtSpeedButtonClick();
    void Preview_ExtSpeedButtonClick();
    void System_NewSpeedButtonClick();
    void Hilfe_MenuItemClick();
    void About_MenuItemClick();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Close_NewSpeedButtonClick();
    void Minimize_NewSpeedButtonClick();

    // Where the help menu pops up: the help button's lower-left corner, on the screen.
    QPoint helpMenuPosition() const;
    // Runs the keyword searches of the filter box; null before FormCreate.
    SearchRunner* searchRunner() const { return m_searchRunner.get(); }
    // Read the description pane's files and the preview pictures off the window's thread.
    MediumReader* paneReader() const { return m_paneReader.get(); }
    MediumReader* previewReader() const { return m_previewReader.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What a skin may set (SkinnableWindow).
    QWidget& skinnedWindow() override { return *this; }
    QString skinFolder() const override { return ProgramFolder; }
    QWidget* skinnedControl(skinkeys::Target target) const override;
    ColoredFont skinnedDescriptionFont() const override { return DescriptionFont; }
    void setSkinnedDescriptionFont(const ColoredFont& font) override { DescriptionFont = font; }
    void setSkinBackground(const QImage& picture) override { setBackgroundBitmap(picture); }

    void createControls();
    void createButtons();
    void createBoxesAndList();
    void createHelpMenu();
    void connectHandlers();
    bool chooseLanguage();
    void applyLanguageCaptions();
    void fillViewsAtStart();
    void selectFirstRow();
    const TAppDescription* selectedPackage() const;
    TFlatComboBox* boxWithOpenList() const;
    void showError(const QString& message);
    void showContent(bool show);
    void createMediumReaders();
    void requestDescription(const QString& path, bool resolveCase);
    void showDescriptionBytes(const QString& path, const std::optional<QByteArray>& bytes);

    // Controls, named as the layout names them (also their objectNames).
    TExtSpeedButton* Setup_ExtSpeedButton = nullptr;
    TExtSpeedButton* Preview_ExtSpeedButton = nullptr;
    TExtSpeedButton* Close_ExtSpeedButton = nullptr;
    TExtSpeedButton* Minimize_ExtSpeedButton = nullptr;
    TExtSpeedButton* Help_ExtSpeedButton = nullptr;
    TFlatComboBox* SortBy_ComboBox = nullptr;
    TFlatComboBox* SortFilter_ComboBox = nullptr;
    PackageListView* Quillz_ListView = nullptr;
    QTextEdit* Description_RichEdit = nullptr;
    QMenu* Help_PopupMenu = nullptr;
    QAction* Hilfe_MenuItem = nullptr;
    QAction* About_MenuItem = nullptr;
    FocusMark* Focus_Mark = nullptr;

    // State the handlers work on.
    QString ProgramFolder;
    std::unique_ptr<TProject> Project;
    SortMode CurrentSortMode = SortMode::SortByName;
    QString CurrentFilter;
    bool SearchActive = false;
    ColoredFont DescriptionFont;

    QPointer<QWidget> m_focusBeforeHiding; // the control F9 gives the focus back to

    // Declared after Project, so that it is gone (its thread stopped) before the catalogue.
    std::unique_ptr<SearchRunner> m_searchRunner;
    // Declared last: their threads stop before anything they report to goes.
    std::unique_ptr<MediumReader> m_paneReader;
    std::unique_ptr<MediumReader> m_previewReader;
};

} // namespace quillomat
