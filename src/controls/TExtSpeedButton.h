#pragma once

#include "graphics/ColorValue.h"

#include <QAbstractButton>
#include <QImage>

#include <functional>

namespace quillomat {

// The program's push button. It never takes the focus and paints itself: in Flat mode no edge
// at rest, a raised edge while the pointer is over it and a sunken one while pressed or Down;
// an optional glyph left of the caption ('&' marks the access key); an optional resting frame;
// an optional action area (a small triangle in the bottom-right corner with a click event of
// its own). Every click, whatever caused it, first hands ModalResult to its TMovingForm
// window, then emits clicked(). Enter and Escape reach Default and Cancel buttons through
// TMovingForm's dialog-key offer.
class TExtSpeedButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit TExtSpeedButton(QWidget* parent = nullptr);
    ~TExtSpeedButton() override;

    // Clicks the button whether or not it is enabled or visible (the dialog keys do so).
    void Click();

    // Enter offered to the window clicks the first Default button, Escape the first Cancel one.
    void setDefault(bool value) { m_default = value; }
    bool Default() const { return m_default; }
    void setCancel(bool value) { m_cancel = value; }
    bool Cancel() const { return m_cancel; }

    // Given to the owning window on every click (0 included).
    void setModalResult(int value) { m_modalResult = value; }
    int ModalResult() const { return m_modalResult; }

    // Caption colour. A change made while the pointer is outside the button becomes the colour
    // hot tracking restores.
    void setFontColor(ColorValue color);
    ColorValue FontColor() const { return m_fontColor; }
    ColorValue NormalFontColor() const { return m_normalFontColor; }

    void setHotTrack(bool value) { m_hotTrack = value; }
    bool HotTrack() const { return m_hotTrack; }
    void setHotColor(ColorValue color) { m_hotColor = color; }
    ColorValue HotColor() const { return m_hotColor; }

    // Setting one of these to its present value does nothing.
    void setFrameVisible(bool value);
    bool FrameVisible() const { return m_frameVisible; }
    void setFrameColor(ColorValue color);
    ColorValue FrameColor() const { return m_frameColor; }
    void setActionAreaVisble(bool value);
    bool ActionAreaVisble() const { return m_actionAreaVisible; }
    void setActionAreaColor(ColorValue color);
    ColorValue ActionAreaColor() const { return m_actionAreaColor; }

    // Called after clicked() for a left-button release inside the action area while it is
    // shown, with the button and the release point in its coordinates.
    using ActionAreaHandler = std::function<void(TExtSpeedButton* sender, int x, int y)>;
    void setOnActionAreaClick(ActionAreaHandler handler)
    {
        m_onActionAreaClick = std::move(handler);
    }
    const ActionAreaHandler& OnActionAreaClick() const { return m_onActionAreaClick; }

    // Whether the pointer was in the action area at the last mouse move.
    bool InActionArea() const { return m_inActionArea; }

    void setFlat(bool value);
    bool Flat() const { return m_flat; }

    // Stays pressed: drawn sunken, without the resting frame, content shifted down and right.
    void setDownState(bool value);
    bool Down() const { return m_downState; }

    // A transparent button leaves its parent's surface as its background; otherwise it is
    // filled with Color.
    void setTransparent(bool value);
    bool Transparent() const { return m_transparent; }
    void setColor(ColorValue color);
    ColorValue Color() const { return m_color; }

    // The glyph is drawn with the colour of its bottom-left pixel left out. editGlyph changes
    // it in place (as the skin recolours signs) and repaints the button.
    void setGlyph(const QImage& glyph);
    const QImage& Glyph() const { return m_glyph; }
    void editGlyph(const std::function<void(QImage&)>& edit);

    void setSpacing(int value);
    int Spacing() const { return m_spacing; }

    // Whether the pointer is over the button as far as painting is concerned (flat only).
    bool isMouseInside() const { return m_mouseInside; }

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void handModalResultToWindow();
    void applyFontColor(ColorValue color, bool recordAsNormal);
    void paintEdge(QPainter& painter, bool sunken) const;
    void paintContent(QPainter& painter, QPoint offset) const;
    void paintActionArea(QPainter& painter, bool shifted) const;
    bool isSunken() const { return isDown() || m_downState; }

    friend class TMovingForm;
    quint64 m_creationSerial;

    ColorValue m_normalFontColor = 0;
    bool m_default = false;
    bool m_cancel = false;
    bool m_hotTrack = false;
    ColorValue m_hotColor = clBlue;
    int m_modalResult = 0;
    bool m_frameVisible = true;
    ColorValue m_frameColor = clBtnShadow;
    bool m_actionAreaVisible = false;
    ColorValue m_actionAreaColor = clBlack;
    bool m_inActionArea = false;
    bool m_lastInActionArea = false;
    ActionAreaHandler m_onActionAreaClick;

    ColorValue m_fontColor = clWindowText;
    ColorValue m_color = clBtnFace;
    QImage m_glyph;
    bool m_flat = false;
    bool m_downState = false;
    bool m_transparent = true;
    bool m_mouseInside = false;
    bool m_hotActive = false; // the caption shows HotColor
    bool m_leftHeld = false;  // left button held since a press on the button
    int m_spacing = 4;
};

} // namespace quillomat
