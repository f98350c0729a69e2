#pragma once

#include "graphics/ColorValue.h"
#include "controls/TMovingForm.h"

#include <QFont>
#include <QImage>
#include <QRegion>

namespace quillomat {

class TExtSpeedButton;
class TFlatComboBox;

// The look the program's skinned windows share: the dark panel the boxes sit on and the font
// the layouts are sized for.
inline constexpr ColorValue kPanelColor = 0x404040;
QFont layoutFont(bool bold = false);

// A flat combo box on the panel: panel-coloured face and arrow, silver arrow background, grey
// border and silver text.
void setUpPanelComboBox(TFlatComboBox& box);
// A flat button without frame or action area, as the skinned windows show their buttons.
void setUpFlatButton(TExtSpeedButton& button);

// A borderless window cut to the rounded outline and painted with a background picture over
// the window colour (where the window is larger than the picture, the colour shows).
class TSkinnedForm : public TMovingForm
{
    Q_OBJECT

public:
    using TMovingForm::TMovingForm;

    const QImage& backgroundBitmap() const { return BackgroundBitmap; }
    const QRegion& windowRegion() const { return WindowRegion; }

protected:
    // Takes effect at the next paint.
    void setBackgroundBitmap(const QImage& picture) { BackgroundBitmap = picture; }
    // Cuts the window to the rounded outline of its present size.
    void setWindowRegion();
    // The whole rectangle again; nothing when the window was never cut.
    void removeWindowRegion();

    void paintEvent(QPaintEvent* event) override;

private:
    QImage BackgroundBitmap;
    QRegion WindowRegion;
    bool hasWindowRegion = false;
};

} // namespace quillomat
