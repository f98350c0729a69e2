#pragma once

#include "catalogue/ViewInterfaces.h"

class QComboBox;

namespace quillomat {

// Lets the catalogue views fill a combo box. The visible flag is the box's own (hidden or
// not), independent of whether its window is on screen yet. Filling never runs the box's
// change handlers: the main window only reacts to choices the user makes.
class ComboChoiceBox : public ChoiceBox
{
public:
    explicit ComboChoiceBox(QComboBox& box) : m_box(box) {}

    void clearEntries() override;
    void appendEntry(const QString& entry) override;
    int entryCount() const override;
    void setSelectedIndex(int index) override;
    bool visibleFlag() const override;
    void setVisibleFlag(bool visible) override;
    void setEnabledFlag(bool enabled) override;

private:
    QComboBox& m_box;
};

} // namespace quillomat
