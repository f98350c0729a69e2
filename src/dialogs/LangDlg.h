#pragma once

#include "controls/TSkinnedForm.h"

#include <QStringList>

namespace quillomat {

class TExtSpeedButton;
class TFlatComboBox;

// The small borderless dialog in which the user picks the interface language at start.
// It knows nothing of the language file: the caller hands it the names and reads back the row.
class TChoseLang_Form : public TSkinnedForm
{
    Q_OBJECT

public:
    static constexpr int kWidth = 342;
    static constexpr int kHeight = 173;

    explicit TChoseLang_Form(QWidget* owner = nullptr);
    ~TChoseLang_Form() override;

    // Appends the names as entries of the box, in order, without clearing it first.
    void SetLanguageList(const QStringList& names);
    // The chosen row counted from 0, or -1 when none is chosen.
    int GetChosenLanguage() const;

    TExtSpeedButton* Ok_ExtSpeedButton = nullptr;
    TExtSpeedButton* Vorschau_ExtSpeedButton = nullptr;
    TFlatComboBox* Lang_ComboBox = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormDestroy();
};

} // namespace quillomat
