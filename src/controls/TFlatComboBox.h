#pragma once

#include "graphics/ColorValue.h"

#include <QComboBox>

class QLineEdit;

namespace quillomat {

class FlatComboStyle;

enum class TComboBoxStyle
{
    csDropDown,     // editable text with the arrow button and the drop-down list
    csSimple,       // editable text only: flat border, no arrow button, no list
    csDropDownList, // pick-only list
};

// The program's choice box: a QComboBox that keeps all of its behaviour (items, selection,
// list, keys, signals) and draws its own flat look: a one-pixel border in ColorBorder, a
// two-pixel margin in Color, and a 13-pixel arrow button at the right edge in
// ColorArrowBackground with a small triangle in ColorArrow. Colours are ColorValues resolved
// when drawn, so system colours follow the palette.
class TFlatComboBox : public QComboBox
{
    Q_OBJECT

public:
    static constexpr int ArrowWidth = 11;
    static constexpr int DefaultItemHeight = 13;

    // A box of the given style; creating it in its final style spares an edit field that a
    // list-style box would only throw away.
    explicit TFlatComboBox(QWidget* parent = nullptr,
                           TComboBoxStyle initialStyle = TComboBoxStyle::csDropDown);
    ~TFlatComboBox() override;

    // Switches between a pick-only list, an edit field with list, and a plain edit field; the
    // items and the selected index are kept.
    void setComboStyle(TComboBoxStyle style);
    TComboBoxStyle ComboStyle() const { return m_style; }

    // Fill of the box and background of its drop-down list.
    void setColor(ColorValue color);
    ColorValue Color() const { return m_color; }

    // Colour of the shown text and of the list's entries.
    void setFontColor(ColorValue color);
    ColorValue FontColor() const { return m_fontColor; }

    void setColorArrow(ColorValue color) { SetIndexedColor(0, color); }
    void setColorArrowBackground(ColorValue color) { SetIndexedColor(1, color); }
    void setColorBorder(ColorValue color) { SetIndexedColor(2, color); }
    ColorValue ColorArrow() const { return m_colorArrow; }
    ColorValue ColorArrowBackground() const { return m_colorArrowBackground; }
    ColorValue ColorBorder() const { return m_colorBorder; }

    // 0 ColorArrow, 1 ColorArrowBackground, 2 ColorBorder; another index sets nothing. The box
    // repaints in every case.
    void SetIndexedColor(int index, ColorValue color);

    // 0 AdvColorBorder, 1 AdvColorArrowBackground (percentages 0..100, clamped); another index
    // sets nothing. The derived colours are then recomputed and the box repaints.
    void SetIndexedAdvColor(int index, int percentage);
    void setAdvColorBorder(int percentage) { SetIndexedAdvColor(0, percentage); }
    void setAdvColorArrowBackground(int percentage) { SetIndexedAdvColor(1, percentage); }
    int AdvColorBorder() const { return m_advColorBorder; }
    int AdvColorArrowBackground() const { return m_advColorArrowBackground; }

    // On: ColorBorder and ColorArrowBackground become darker shades of the parent's window
    // colour, recomputed when the palette changes. The derived values replace the stored
    // ones, so switching it off keeps them.
    void setUseAdvColors(bool use);
    bool UseAdvColors() const { return m_useAdvColors; }

    // Height of one entry of the drop-down list; reset to 13 by every font change.
    void setItemHeight(int height);
    int ItemHeight() const { return m_itemHeight; }

    // Width of the platform's drop button (a vertical scroll bar's width); the standard
    // content is never drawn from W - SystemButtonWidth - 2 rightwards.
    int SystemButtonWidth() const { return m_systemButtonWidth; }

    // True while the drop-down list is shown.
    bool isListOpen() const;

    void showPopup() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // Every key pressed in the box or its edit field, before the box handles it.
    void keyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool isListStyle() const { return m_style == TComboBoxStyle::csDropDownList; }
    bool hasSelectionFocus() const;
    void UpdateAdvColors();
    void applyChildColors();
    void setUpLineEdit();
    void paintArrowButton(QPainter& painter) const;
    void paintBorderRings(QPainter& painter) const;
    void paintContent(QPainter& painter) const;

    FlatComboStyle* m_flatStyle = nullptr;
    QWidget* m_popupContainer = nullptr;
    TComboBoxStyle m_style = TComboBoxStyle::csDropDown;
    ColorValue m_color = clWindow;
    ColorValue m_fontColor = clWindowText;
    ColorValue m_colorArrow = clBlack;
    ColorValue m_colorArrowBackground = 12965593;
    ColorValue m_colorBorder = 8623776;
    int m_advColorBorder = 50;
    int m_advColorArrowBackground = 10;
    bool m_useAdvColors = false;
    int m_itemHeight = DefaultItemHeight;
    int m_systemButtonWidth = 0;
};

} // namespace quillomat
