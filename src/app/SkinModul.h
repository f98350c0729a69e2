#pragma once

#include <QString>

namespace quillomat {

class TMain_Form;

// Restyles the main window from a skin file ("[Quillomat Skin]" in an INI file): its size and
// background picture, and the position, size, font and colours of its controls, each key
// applied as soon as it is read. A key that is missing or does not convert leaves its target
// as it is, so a second reading starts from what the first one left; the background picture
// and the minimize and close signs are the exception and return to the built-in picture and to
// black. A file that cannot be opened changes nothing and reports nothing.
void LoadSkin(TMain_Form& form, const QString& skinFile);

} // namespace quillomat
