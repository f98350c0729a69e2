#pragma once

#include "catalogue/TAppDescription.h"

#include <QString>

namespace quillomat {

// A choice box as the catalogue views see it: entries, a selected position, two flags.
// The flat combo box implements it in the main window; tests fake it.
class ChoiceBox
{
public:
    virtual ~ChoiceBox() = default;
    virtual void clearEntries() = 0;
    virtual void appendEntry(const QString& entry) = 0;
    virtual int entryCount() const = 0;
    virtual void setSelectedIndex(int index) = 0;
    virtual bool visibleFlag() const = 0;
    virtual void setVisibleFlag(bool visible) = 0;
    virtual void setEnabledFlag(bool enabled) = 0;
};

// The package list as the catalogue views see it: rows with a caption and a package, or no
// package for the one row of a search that found nothing.
class RowList
{
public:
    virtual ~RowList() = default;
    virtual void clearRows() = 0;
    virtual void appendRow(const QString& caption, const TAppDescription* package) = 0;
    virtual int rowCount() const = 0;
};

} // namespace quillomat
