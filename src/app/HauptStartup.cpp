// Start-up, layout, shape and painting of the main window.
#include "app/Haupt.h"

#include "app/ComboChoiceBox.h"
#include "app/CommandLine.h"
#include "app/FocusMark.h"
#include "app/MediumReader.h"
#include "app/PackageListView.h"
#include "app/SearchRunner.h"
#include "app/SkinModul.h"
#include "app/SkinPalette.h"
#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "dialogs/LangDlg.h"
#include "platform/DriveRoot.h"
#include "platform/ProgramFolder.h"
#include "resources/BuiltinPictures.h"
#include "text/TextTemplate.h"

#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTextEdit>

namespace quillomat {
namespace {

TFlatComboBox* makeComboBox(QWidget* parent, const QString& name, const QString& accessible,
                            const QRect& geometry)
{
    auto* box = new TFlatComboBox(parent, TComboBoxStyle::csDropDownList);
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    box->setGeometry(geometry);
    setUpPanelComboBox(*box);
    box->setFont(layoutFont());
    box->setItemHeight(TFlatComboBox::DefaultItemHeight);
    return box;
}

TExtSpeedButton* makeButton(QWidget* parent, const QString& name, const QString& accessible,
                            const QRect& geometry)
{
    auto* button = new TExtSpeedButton(parent);
    button->setObjectName(name);
    button->setAccessibleName(accessible);
    button->setGeometry(geometry);
    setUpFlatButton(*button);
    return button;
}

TExtSpeedButton* makeCaptionButton(QWidget* parent, const QString& name, const QString& caption,
                                   const QRect& geometry, bool bold)
{
    auto* button = makeButton(parent, name, QString(caption).remove(u'&'), geometry);
    button->setText(caption);
    button->setFont(layoutFont(bold));
    button->setFontColor(clWhite);
    button->setHotColor(0xF0F0F0);
    button->setDefault(true);
    return button;
}

TExtSpeedButton* makeGlyphButton(QWidget* parent, const QString& name, const QString& accessible,
                                 const QRect& geometry, const QString& glyph)
{
    auto* button = makeButton(parent, name, accessible, geometry);
    button->setGlyph(builtin::picture(glyph, parent->devicePixelRatioF()));
    return button;
}

} // namespace

TMain_Form::TMain_Form(QWidget* parent) : TSkinnedForm(parent)
{
    setObjectName(QStringLiteral("Main_Form"));
    setWindowTitle(QStringLiteral("Quillomat"));
    setAccessibleName(QStringLiteral("Quillomat"));
    resize(kDesignWidth, kDesignHeight);
    setFont(layoutFont());
    createControls();
    createMediumReaders();
    connectHandlers();
    qApp->installEventFilter(this);
}

TMain_Form::TMain_Form(const QString& programFolder, QWidget* parent) : TMain_Form(parent)
{
    ProgramFolder = programFolder;
}

TMain_Form::~TMain_Form()
{
    qApp->removeEventFilter(this);
    removeWindowRegion();
}

void TMain_Form::createControls()
{
    createButtons();
    createBoxesAndList();
    createHelpMenu();
    Focus_Mark = new FocusMark(
        this, {SortBy_ComboBox, SortFilter_ComboBox, Quillz_ListView, Description_RichEdit});
}

void TMain_Form::createButtons()
{
    // Creation order is the order Enter is offered in: setup before preview.
    Setup_ExtSpeedButton = makeCaptionButton(this, QStringLiteral("Setup_ExtSpeedButton"),
                                             QStringLiteral("&setup"), {496, 324, 67, 21}, true);
    Preview_ExtSpeedButton =
        makeCaptionButton(this, QStringLiteral("Preview_ExtSpeedButton"),
                          QStringLiteral("&preview"), {428, 324, 67, 21}, false);
    Close_ExtSpeedButton = makeGlyphButton(this, QStringLiteral("Close_ExtSpeedButton"),
                                           tr("Close"), {522, 12, 16, 15}, builtin::kCloseGlyph);
    Minimize_ExtSpeedButton =
        makeGlyphButton(this, QStringLiteral("Minimize_ExtSpeedButton"), tr("Minimize"),
                        {502, 12, 16, 15}, builtin::kMinimizeGlyph);
    Help_ExtSpeedButton = makeGlyphButton(this, QStringLiteral("Help_ExtSpeedButton"), tr("Help"),
                                          {474, 12, 16, 16}, builtin::kHelpGlyph);
}

void TMain_Form::createBoxesAndList()
{
    SortBy_ComboBox =
        makeComboBox(this, QStringLiteral("SortBy_ComboBox"), tr("Sort by"), {30, 76, 201, 21});
    SortFilter_ComboBox =
        makeComboBox(this, QStringLiteral("SortFilter_ComboBox"), tr("Filter"), {30, 109, 201, 21});

    Quillz_ListView = new PackageListView(this);
    Quillz_ListView->setObjectName(QStringLiteral("Quillz_ListView"));
    Quillz_ListView->setGeometry(30, 144, 201, 172);
    Quillz_ListView->setFont(layoutFont());
    setPanelColors(*Quillz_ListView, kPanelColor, clSilver);

    Description_RichEdit = new QTextEdit(this);
    Description_RichEdit->setObjectName(QStringLiteral("Description_RichEdit"));
    Description_RichEdit->setAccessibleName(tr("Description"));
    Description_RichEdit->setGeometry(250, 66, 321, 251);
    Description_RichEdit->setFrameShape(QFrame::NoFrame);
    Description_RichEdit->setReadOnly(true);
    Description_RichEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Description_RichEdit->setFont(layoutFont());
    setPanelColors(*Description_RichEdit, kPanelColor, clWhite);

    setTabOrder(SortBy_ComboBox, SortFilter_ComboBox);
    setTabOrder(SortFilter_ComboBox, Quillz_ListView);
    setTabOrder(Quillz_ListView, Description_RichEdit);
}

void TMain_Form::createHelpMenu()
{
    Help_PopupMenu = new QMenu(this);
    Help_PopupMenu->setObjectName(QStringLiteral("Help_PopupMenu"));
    Hilfe_MenuItem = Help_PopupMenu->addAction(QStringLiteral("&help"));
    Hilfe_MenuItem->setObjectName(QStringLiteral("Hilfe_MenuItem"));
    About_MenuItem = Help_PopupMenu->addAction(QStringLiteral("&about"));
    About_MenuItem->setObjectName(QStringLiteral("About_MenuItem"));
    // The images are read when the menu first opens: an icon read from a file loads every
    // image-format plugin Qt has, which would add several milliseconds to each start.
    connect(
        Help_PopupMenu, &QMenu::aboutToShow, this,
        [this] {
            Hilfe_MenuItem->setIcon(QIcon(builtin::kHelpMenuImage));
            About_MenuItem->setIcon(QIcon(builtin::kAboutMenuImage));
        },
        Qt::SingleShotConnection);
}

bool TMain_Form::FormCreate(const QStringList& arguments, const QString& programFolder)
{
    CurrentSortMode = SortMode::SortByName;
    CurrentFilter.clear();
    bool ok = true;
    ProgramFolder = programFolder;
    setBackgroundBitmap(builtin::picture(builtin::kMainBackground, devicePixelRatioF()));
    DescriptionFont = {QFont(QStringLiteral("Tahoma"), 10), clWhite};
    ApplySkin();

    // The medium the program runs from: the CD folder by default, and what a drive letter in
    // the menu file stands for unless /TEST names another folder.
    const QString driveRoot = driveRootOf(programFilePath());
    const StartFiles files = resolveStartFiles(arguments, ProgramFolder, driveRoot);
    Project = std::make_unique<TProject>();
    Project->setDriveRoot(files.driveRoot);
    m_searchRunner = std::make_unique<SearchRunner>(*Project, *Quillz_ListView, *this);
    m_paneReader->setPrecedence(&Project->readPrecedence());
    m_previewReader->setPrecedence(&Project->readPrecedence());

    const QString languageFile = ProgramFolder + QStringLiteral("lang.ini");
    if (Project->LoadLanguageFile(languageFile)) {
        ok = false;
        ShowPaneMessage(
            fillTemplate(Project->GetText(QStringLiteral("CannotOpenFile")), languageFile));
    }
    if (!chooseLanguage())
        return false;
    applyLanguageCaptions();

    if (Project->LoadMenuFile(files.menuFile, files.cdFolder)) {
        ok = false;
        ShowPaneMessage(
            fillTemplate(Project->GetText(QStringLiteral("CannotOpenFile")), files.menuFile));
    }
    fillViewsAtStart();
    selectFirstRow();
    Quillz_ListView->setFocus();
    if (ok)
        ShowDescriptionFile(ProgramFolder + QStringLiteral("about.rtf"));
    return true;
}

bool TMain_Form::chooseLanguage()
{
    const QStringList names = Project->GetLanguageNames();
    if (names.size() <= 1)
        return true;
    TChoseLang_Form dialog(this);
    dialog.SetLanguageList(names);
    if (dialog.showModal() == 2)
        return false;
    // Dialog rows count from 0, languages from 1 (0 is the built-in set).
    Project->setLanguage(std::max(dialog.GetChosenLanguage(), 0) + 1);
    return true;
}

void TMain_Form::applyLanguageCaptions()
{
    Preview_ExtSpeedButton->setText(Project->GetText(QStringLiteral("ButtonPreview")));
    Setup_ExtSpeedButton->setText(Project->GetText(QStringLiteral("ButtonSetup")));
    Hilfe_MenuItem->setText(Project->GetText(QStringLiteral("MenuHelp")));
    About_MenuItem->setText(Project->GetText(QStringLiteral("MenuAbout")));
    Preview_ExtSpeedButton->setAccessibleName(Preview_ExtSpeedButton->text().remove(u'&'));
    Setup_ExtSpeedButton->setAccessibleName(Setup_ExtSpeedButton->text().remove(u'&'));
}

void TMain_Form::fillViewsAtStart()
{
    ComboChoiceBox sortBy(*SortBy_ComboBox);
    Project->FillSortByList(sortBy);
    if (sortBy.entryCount() > 0)
        sortBy.setSelectedIndex(0);
    ComboChoiceBox filter(*SortFilter_ComboBox);
    Project->FillFilterList(filter, SortMode::SortByName);
    if (filter.entryCount() > 0)
        filter.setSelectedIndex(0);
    Quillz_ListView->refill([&](RowList& rows) {
        Project->FillApplicationList(rows, SortMode::SortByName, QString());
    });
}

void TMain_Form::selectFirstRow()
{
    if (Quillz_ListView->count() > 0)
        Quillz_ListView->setCurrentRow(0);
}

QWidget* TMain_Form::skinnedControl(skinkeys::Target target) const
{
    using enum skinkeys::Target; // ahead of the member DescriptionFont
    switch (target) {
    case Window: // the window itself is skinnedWindow()
    case DescriptionFont:
        return nullptr;
    case SortBy:
        return SortBy_ComboBox;
    case Filter:
        return SortFilter_ComboBox;
    case List:
        return Quillz_ListView;
    case Description:
        return Description_RichEdit;
    case Preview:
        return Preview_ExtSpeedButton;
    case Setup:
        return Setup_ExtSpeedButton;
    case Help:
        return Help_ExtSpeedButton;
    case Minimize:
        return Minimize_ExtSpeedButton;
    case Close:
        return Close_ExtSpeedButton;
    }
    return nullptr;
}

void TMain_Form::ApplySkin()
{
    LoadSkin(*this, ProgramFolder + QStringLiteral("qmskin.ini"));
    // Text without a colour of its own, on screen now and in the next RTF shown, is drawn in
    // the pane's text colour: it follows a new description colour at once.
    setPanelTextColor(*Description_RichEdit, DescriptionFont.color);
    setWindowRegion();
    update();
}

} // namespace quillomat
