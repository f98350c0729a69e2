#include "app/ComboChoiceBox.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace quillomat {

void ComboChoiceBox::clearEntries()
{
    const QSignalBlocker quiet(&m_box);
    m_box.clear();
}

void ComboChoiceBox::appendEntry(const QString& entry)
{
    const QSignalBlocker quiet(&m_box);
    m_box.addItem(entry);
}

int ComboChoiceBox::entryCount() const
{
    return m_box.count();
}

void ComboChoiceBox::setSelectedIndex(int index)
{
    const QSignalBlocker quiet(&m_box);
    m_box.setCurrentIndex(index);
}

bool ComboChoiceBox::visibleFlag() const
{
    return !m_box.isHidden();
}

void ComboChoiceBox::setVisibleFlag(bool visible)
{
    m_box.setVisible(visible);
}

void ComboChoiceBox::setEnabledFlag(bool enabled)
{
    m_box.setEnabled(enabled);
}

} // namespace quillomat
