#include "dialogs/LangDlg.h"

#include "controls/TExtSpeedButton.h"
#include "controls/TFlatComboBox.h"
#include "dialogs/WindowPlacement.h"
#include "resources/BuiltinPictures.h"

namespace quillomat {
namespace {

TExtSpeedButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                            const QRect& geometry, bool bold, int modalResult)
{
    auto* button = new TExtSpeedButton(parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove(u'&'));
    button->setGeometry(geometry);
    setUpFlatButton(*button);
    button->setText(caption);
    button->setFont(layoutFont(bold));
    button->setFontColor(clWhite);
    button->setDefault(true);
    button->setModalResult(modalResult);
    return button;
}

} // namespace

TChoseLang_Form::TChoseLang_Form(QWidget* owner)
    : TSkinnedForm(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("ChoseLang_Form"));
    setWindowTitle(QStringLiteral("Quillodex"));
    setAccessibleName(tr("Choose the language"));
    setFixedSize(kWidth, kHeight);
    setFont(layoutFont());

    // The ok button lies before the cancel button, so Enter reaches ok first.
    Ok_ExtSpeedButton = makeButton(this, QStringLiteral("Ok_ExtSpeedButton"), QStringLiteral("&ok"),
                                   {247, 124, 67, 21}, true, 1);
    Vorschau_ExtSpeedButton = makeButton(this, QStringLiteral("Vorschau_ExtSpeedButton"),
                                         QStringLiteral("&cancel"), {179, 124, 67, 21}, false, 2);
    Vorschau_ExtSpeedButton->setCancel(true);

    Lang_ComboBox = new TFlatComboBox(this, TComboBoxStyle::csDropDownList);
    Lang_ComboBox->setObjectName(QStringLiteral("Lang_ComboBox"));
    Lang_ComboBox->setAccessibleName(tr("Language"));
    Lang_ComboBox->setGeometry(30, 91, 283, 21);
    setUpPanelComboBox(*Lang_ComboBox);
    Lang_ComboBox->setFont(layoutFont());
    Lang_ComboBox->setItemHeight(TFlatComboBox::DefaultItemHeight);
    Lang_ComboBox->setFocus();

    FormCreate();
    centreOnPrimaryScreen(this);
}

TChoseLang_Form::~TChoseLang_Form()
{
    FormDestroy();
}

void TChoseLang_Form::FormCreate()
{
    setWindowRegion();
    setBackgroundBitmap(builtin::picture(builtin::kLanguageBackground, devicePixelRatioF()));
}

void TChoseLang_Form::FormDestroy()
{
    removeWindowRegion();
}

void TChoseLang_Form::SetLanguageList(const QStringList& names)
{
    Lang_ComboBox->addItems(names);
}

int TChoseLang_Form::GetChosenLanguage() const
{
    return Lang_ComboBox->currentIndex();
}

void TChoseLang_Form::FormShow()
{
    if (Lang_ComboBox->count() > 0)
        Lang_ComboBox->setCurrentIndex(0);
}

void TChoseLang_Form::showEvent(QShowEvent* event)
{
    FormShow();
    TSkinnedForm::showEvent(event);
}

} // namespace quillomat
