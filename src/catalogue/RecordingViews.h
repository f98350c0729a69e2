#pragma once

#include "catalogue/ViewInterfaces.h"

#include <QList>
#include <QStringList>

namespace quillomat {

// A choice box that only remembers what the views did to it: for the command-line tool, the
// tests and the benchmarks. Visible and enabled start true, as a new widget's flags do.
class RecordingChoiceBox : public ChoiceBox
{
public:
    void clearEntries() override
    {
        entries.clear();
        selectedIndex = -1;
    }
    void appendEntry(const QString& entry) override { entries.append(entry); }
    int entryCount() const override { return int(entries.size()); }
    void setSelectedIndex(int index) override { selectedIndex = index; }
    bool visibleFlag() const override { return visible; }
    void setVisibleFlag(bool flag) override { visible = flag; }
    void setEnabledFlag(bool flag) override { enabled = flag; }

    QStringList entries;
    int selectedIndex = -1;
    bool visible = true;
    bool enabled = true;
};

// A row list kept in the order the views append rows.
class RecordingRowList : public RowList
{
public:
    struct Row
    {
        QString caption;
        const TAppDescription* package = nullptr;
    };

    void clearRows() override { rows.clear(); }
    void appendRow(const QString& caption, const TAppDescription* package) override
    {
        rows.append(Row{caption, package});
    }
    int rowCount() const override { return int(rows.size()); }

    QList<Row> rows;
};

} // namespace quillomat
