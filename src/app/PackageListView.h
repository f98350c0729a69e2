#pragma once

#include "catalogue/ViewInterfaces.h"

#include <QListWidget>

namespace quillomat {

// The package list: one header-less column of captions, each row referring to a package (or to
// nothing, for the row of a search without result). Rows stay ordered by caption the way the
// user's locale orders text, case-sensitively; the views append them in catalogue order.
class PackageListView : public QListWidget, public RowList
{
    Q_OBJECT

public:
    explicit PackageListView(QWidget* parent = nullptr);

    // Empties the list, lets fill append rows (in any order) and shows them ordered by caption.
    template <typename Fill> void refill(Fill fill)
    {
        fill(static_cast<RowList&>(*this));
        placeQueuedRows();
    }

    // RowList. Appended rows wait in a queue until placeQueuedRows() sorts them in one pass.
    void clearRows() override;
    void appendRow(const QString& caption, const TAppDescription* package) override;
    int rowCount() const override;
    void placeQueuedRows();

    // The package of the selected row; null without selection or for a row without package.
    const TAppDescription* selectedPackage() const;
    static const TAppDescription* packageOf(const QListWidgetItem* item);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void initViewItemOption(QStyleOptionViewItem* option) const override;

private:
    struct QueuedRow
    {
        QString caption;
        const TAppDescription* package;
    };
    QList<QueuedRow> m_queued;
};

} // namespace quillomat
