#include "controls/TFlatComboBox.h"

#include "controls/FlatUtilitys.h"
#include "controls/PixelRects.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>

#include <algorithm>

namespace quillomat {

namespace {

// The 5 x 3 arrow glyph with its origin at (x, y): rows of 5, 3 and 1 pixels from column x + 4.
void paintTriangle(QPainter& painter, int x, int y, bool pointsUp, const QColor& color)
{
    for (int i = 0; i < 3; ++i) {
        const int row = pointsUp ? y + 2 - i : y + i;
        painter.fillRect(x + 4 + i, row, 5 - 2 * i, 1, color);
    }
}

// Entries of the drop-down list are ItemHeight pixels high.
class ItemHeightDelegate : public QStyledItemDelegate
{
public:
    explicit ItemHeightDelegate(TFlatComboBox* box) : QStyledItemDelegate(box), m_box(box) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(m_box->ItemHeight());
        return size;
    }

private:
    TFlatComboBox* m_box;
};

} // namespace

// Places the edit field inside the rings and left of the arrow button, turns the list into a
// plain drop-down below the box, and switches off the popup's flashing and fading.
class FlatComboStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override
    {
        if (control != CC_ComboBox)
            return QProxyStyle::subControlRect(control, option, sub, widget);
        const int w = option->rect.width();
        const int h = option->rect.height();
        switch (sub) {
        case SC_ComboBoxEditField:
            return QRect(3, 3, std::max(0, w - TFlatComboBox::ArrowWidth - 8), std::max(0, h - 6));
        case SC_ComboBoxArrow:
            return QRect(w - 13, 0, 13, h);
        default:
            return option->rect;
        }
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        switch (hint) {
        case SH_ComboBox_Popup:
        case SH_Menu_FlashTriggeredItem:
        case SH_Menu_FadeOutOnHide:
            return 0;
        default:
            return QProxyStyle::styleHint(hint, option, widget, returnData);
        }
    }
};

TFlatComboBox::TFlatComboBox(QWidget* parent, TComboBoxStyle initialStyle)
    : QComboBox(parent), m_flatStyle(new FlatComboStyle())
{
    m_flatStyle->setParent(this);
    setStyle(m_flatStyle);
    resize(145, 25);
    setMaxVisibleItems(8);
    setInsertPolicy(QComboBox::NoInsert);
    setItemDelegate(new ItemHeightDelegate(this));
    m_systemButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_popupContainer = view()->parentWidget();
    if (m_popupContainer)
        m_popupContainer->installEventFilter(this);
    setComboStyle(initialStyle);
}

TFlatComboBox::~TFlatComboBox() = default;

void TFlatComboBox::setComboStyle(TComboBoxStyle style)
{
    m_style = style;
    const bool editable = style != TComboBoxStyle::csDropDownList;
    if (style == TComboBoxStyle::csSimple && isListOpen())
        hidePopup();
    if (editable != isEditable())
        setEditable(editable);
    if (editable)
        setUpLineEdit();
    applyChildColors();
    update();
}

void TFlatComboBox::setUpLineEdit()
{
    QLineEdit* edit = lineEdit();
    if (!edit)
        return;
    edit->setFrame(false);
    // The box offers no completion of typed text from its entries.
    setCompleter(nullptr);
    edit->removeEventFilter(this);
    edit->installEventFilter(this);
}

void TFlatComboBox::applyChildColors()
{
    const QColor fill = colorFromValue(m_color);
    const QColor text = colorFromValue(m_fontColor);
    QPalette palette = this->palette();
    for (const auto role : {QPalette::Base, QPalette::Window})
        palette.setColor(role, fill);
    for (const auto role : {QPalette::Text, QPalette::WindowText})
        palette.setColor(role, text);
    if (m_popupContainer)
        m_popupContainer->setPalette(palette);
    view()->setPalette(palette);
    if (QLineEdit* edit = lineEdit())
        edit->setPalette(palette);
}

void TFlatComboBox::setColor(ColorValue color)
{
    m_color = color;
    applyChildColors();
    update();
}

void TFlatComboBox::setFontColor(ColorValue color)
{
    m_fontColor = color;
    applyChildColors();
    update();
}

void TFlatComboBox::SetIndexedColor(int index, ColorValue color)
{
    switch (index) {
    case 0:
        m_colorArrow = color;
        break;
    case 1:
        m_colorArrowBackground = color;
        break;
    case 2:
        m_colorBorder = color;
        break;
    default:
        break;
    }
    update();
}

void TFlatComboBox::SetIndexedAdvColor(int index, int percentage)
{
    percentage = std::clamp(percentage, 0, 100);
    if (index == 0)
        m_advColorBorder = percentage;
    else if (index == 1)
        m_advColorArrowBackground = percentage;
    UpdateAdvColors();
    update();
}

void TFlatComboBox::setUseAdvColors(bool use)
{
    if (use == m_useAdvColors)
        return;
    m_useAdvColors = use;
    UpdateAdvColors();
    update();
}

void TFlatComboBox::UpdateAdvColors()
{
    const QWidget* parent = parentWidget();
    if (!m_useAdvColors || !parent)
        return;
    const ColorValue parentColor = valueFromColor(parent->palette().color(QPalette::Window));
    m_colorBorder = DeriveAdvColor(parentColor, m_colorBorder, m_advColorBorder);
    m_colorArrowBackground =
        DeriveAdvColor(parentColor, m_colorArrowBackground, m_advColorArrowBackground);
}

void TFlatComboBox::setItemHeight(int height)
{
    m_itemHeight = std::max(1, height);
    view()->doItemsLayout();
}

bool TFlatComboBox::isListOpen() const
{
    return m_popupContainer && m_popupContainer->isVisible();
}

void TFlatComboBox::showPopup()
{
    // A plain edit field has no list to drop down.
    if (m_style == TComboBoxStyle::csSimple)
        return;
    QComboBox::showPopup();
    update();
}

bool TFlatComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_popupContainer) {
        // Closing the list turns the arrow down again; opening it turns it up.
        if (event->type() == QEvent::Hide || event->type() == QEvent::Show)
            update();
    } else if (watched == lineEdit()) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            emit keyDown(key->key(), key->modifiers());
            break;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            update();
            break;
        default:
            break;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void TFlatComboBox::keyPressEvent(QKeyEvent* event)
{
    // Keys the edit field passes on arrive here too; they were reported by the event filter.
    const bool fromEditField = lineEdit() && lineEdit()->hasFocus();
    if (!fromEditField)
        emit keyDown(event->key(), event->modifiers());
    const QString before = currentText();
    QComboBox::keyPressEvent(event);
    // An edit field keeps Enter (the search runs on it), so no default button takes it.
    if (!isListStyle() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        event->accept();
    if (isListStyle() && currentText() != before)
        update();
}

void TFlatComboBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    update();
}

void TFlatComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    update();
}

void TFlatComboBox::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        update();
        break;
    case QEvent::FontChange:
        m_itemHeight = DefaultItemHeight;
        view()->doItemsLayout();
        update();
        break;
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
        // Our own colours never follow the parent's; only the derived ones do.
        UpdateAdvColors();
        applyChildColors();
        update();
        break;
    default:
        break;
    }
}

bool TFlatComboBox::hasSelectionFocus() const
{
    return isListStyle() && hasFocus() && !isListOpen();
}

void TFlatComboBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    // The text area ends at column W - 16; the rings and the button cover the rest.
    painter.fillRect(ltrb(0, 0, w - ArrowWidth - 4, h), colorFromValue(m_color));
    paintContent(painter);
    paintBorderRings(painter);
    if (m_style != TComboBoxStyle::csSimple)
        paintArrowButton(painter);
}

void TFlatComboBox::paintContent(QPainter& painter) const
{
    if (!isListStyle())
        return; // the edit field draws the text
    const int w = width();
    const int h = height();
    QColor textColor = colorFromValue(m_fontColor);
    if (hasSelectionFocus()) {
        // The selected entry's highlight.
        painter.fillRect(ltrb(3, 3, w - ArrowWidth - 5, h - 3), colorFromValue(clHighlight));
        textColor = colorFromValue(clHighlightText);
    }
    if (!isEnabled())
        textColor = colorFromValue(clGrayText);
    // Text stops where the strip begins, and never reaches the platform button's zone.
    const int textRight = std::min(w - m_systemButtonWidth - 2, w - ArrowWidth - 10);
    const QRect textRect = ltrb(3, 3, textRight, h - 3);
    painter.save();
    painter.setClipRect(textRect);
    painter.setFont(font());
    painter.setPen(textColor);
    painter.drawText(textRect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     currentText());
    painter.restore();
    if (hasSelectionFocus()) {
        // The strip completes the entry's highlight up to column W - 17, and the focus frame
        // closes the bar over whatever the text touched.
        const QColor highlight = colorFromValue(clHighlight);
        painter.fillRect(ltrb(w - ArrowWidth - 10, 3, w - ArrowWidth - 5, h - 3), highlight);
        frameRect(painter, ltrb(3, 3, w - ArrowWidth - 5, h - 3), highlight);
    }
}

void TFlatComboBox::paintBorderRings(QPainter& painter) const
{
    const int w = width();
    const int h = height();
    const QColor fill = colorFromValue(m_color);
    frameRect(painter, ltrb(0, 0, w - ArrowWidth - 1, h), colorFromValue(m_colorBorder));
    frameRect(painter, ltrb(1, 1, w - 13, h - 1), fill);
    frameRect(painter, ltrb(2, 2, w - 14, h - 2), fill);
}

void TFlatComboBox::paintArrowButton(QPainter& painter) const
{
    const int w = width();
    const int h = height();
    const QRect r = ltrb(w - 13, 0, w, h);
    painter.fillRect(r, colorFromValue(m_colorArrowBackground));
    frameRect(painter, r, colorFromValue(m_colorBorder));
    const int x = r.left() + r.width() / 2 - 6;
    const int y = r.top() + r.height() / 2 - 1;
    const bool up = isListOpen();
    if (isEnabled()) {
        paintTriangle(painter, x, y, up, colorFromValue(m_colorArrow));
    } else {
        // Engraved: a white copy one pixel down and right under the gray one.
        paintTriangle(painter, x + 1, y + 1, up, QColor(0xFF, 0xFF, 0xFF));
        paintTriangle(painter, x, y, up, QColor(0x80, 0x80, 0x80));
    }
}

} // namespace quillomat
