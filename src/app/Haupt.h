#pragma once

#include "catalogue/SortMode.h"
#include "catalogue/TProject.h"
#include "controls/ColorValue.h"
#include "controls/TMovingForm.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRegion>
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

// A font with its colour, as the skin file and the description pane see a font.
struct ColoredFont
{
    QFont font;
    ColorValue color = clBlack;
};

// The main window: start-up, the shaped and painted window with its boxes, list, description
// pane and buttons, and every user action.
class TMain_Form : public TMovingForm
{
    Q_OBJECT

public:
    static constexpr int kDesignWidth = 592;
    static constexpr int kDesignHeight = 373;

    explicit TMain_Form(QWidget* parent = nullptr);
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

    // Fields the skin reader and the handlers work on.
    QRegion WindowRegion;
    bool hasWindowRegion = false;
    QString ProgramFolder;
    std::unique_ptr<TProject> Project;
    SortMode CurrentSortMode = SortMode::SortByName;
    QString CurrentFilter;
    bool SearchActive = false;
    QImage BackgroundBitmap;
    ColoredFont DescriptionFont;

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
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createButtons();
    void createBoxesAndList();
    void createHelpMenu();
    void connectHandlers();
    void setWindowRegion();
    void removeWindowRegion();
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

    QPointer<QWidget> m_focusBeforeHiding; // the control F9 gives the focus back to

    // Declared after Project, so that it is gone (its thread stopped) before the catalogue.
    std::unique_ptr<SearchRunner> m_searchRunner;
    // Declared last: their threads stop before anything they report to goes.
    std::unique_ptr<MediumReader> m_paneReader;
    std::unique_ptr<MediumReader> m_previewReader;
};

} // namespace quillomat
