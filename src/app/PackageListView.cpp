#include "app/PackageListView.h"

#include "app/FocusMark.h"

#include <QCollator>
#include <QKeyEvent>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace quillomat {
namespace {

// A row that knows its package. A member rather than a data role: a role would give each of
// possibly 100,000 rows a second entry in its list of values, about 100 bytes more per row.
class PackageItem : public QListWidgetItem
{
public:
    static constexpr int kType = QListWidgetItem::UserType + 1;

    PackageItem(const QString& caption, const TAppDescription* package)
        : QListWidgetItem(caption, nullptr, kType), m_package(package)
    {
    }
    QListWidgetItem* clone() const override { return new PackageItem(*this); }
    const TAppDescription* package() const { return m_package; }

private:
    const TAppDescription* m_package;
};

// The user's locale orders the captions; the POSIX "C" locale knows no linguistic order, so
// there the common Unicode order stands in (a before B before c, as on every desktop).
QCollator captionCollator()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    return collator;
}

} // namespace

PackageListView::PackageListView(QWidget* parent) : QListWidget(parent)
{
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAccessibleName(tr("Packages"));
    // The focus frame is drawn over the list's edge: the rows start inside it, so that it never
    // covers the top of the first row.
    const int frame = FocusMark::kWidth;
    setViewportMargins(frame, frame, frame, frame);
}

void PackageListView::clearRows()
{
    m_queued.clear();
    clear();
}

void PackageListView::appendRow(const QString& caption, const TAppDescription* package)
{
    m_queued.append({caption, package});
}

int PackageListView::rowCount() const
{
    return count() + int(m_queued.size());
}

void PackageListView::placeQueuedRows()
{
    if (m_queued.isEmpty())
        return;
    for (int row = 0; row < count(); ++row)
        m_queued.append({item(row)->text(), packageOf(item(row))});
    clear();
    // The locale's order, case-sensitive; one collator for the whole pass keeps it fast.
    const QCollator collator = captionCollator();
    std::stable_sort(m_queued.begin(), m_queued.end(), [&](const QueuedRow& a, const QueuedRow& b) {
        return collator.compare(a.caption, b.caption) < 0;
    });
    for (const QueuedRow& row : std::as_const(m_queued)) {
        addItem(new PackageItem(row.caption, row.package));
    }
    m_queued.clear();
}

void PackageListView::keyPressEvent(QKeyEvent* event)
{
    // A list that took the focus with nothing selected marks a row without choosing it. The
    // first Down, Up or Space chooses that row instead of moving past it, so that the first
    // package can be reached from the keyboard.
    const int key = event->key();
    const bool choosingKey = key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_Space;
    if (choosingKey && event->modifiers() == Qt::NoModifier && count() > 0 &&
        selectedItems().isEmpty()) {
        setCurrentRow(std::max(currentRow(), 0), QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void PackageListView::initViewItemOption(QStyleOptionViewItem* option) const
{
    QListWidget::initViewItemOption(option);
    // Rows are drawn from the palette's inactive group unless the list has the focus, so that
    // the selection shows where the keyboard is.
    if (!hasFocus())
        option->state &= ~QStyle::State_Active;
}

const TAppDescription* PackageListView::packageOf(const QListWidgetItem* item)
{
    if (!item || item->type() != PackageItem::kType)
        return nullptr;
    return static_cast<const PackageItem*>(item)->package();
}

const TAppDescription* PackageListView::selectedPackage() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : packageOf(selected.front());
}

} // namespace quillomat
