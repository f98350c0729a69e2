// What a skin does to the window a user sees: readable text, reachable controls, a background
// that covers the window.

#include "check/SkinLayout.h"

#include "catalogue/SkinKeys.h"
#include "graphics/ColorValue.h"
#include "text/TextServices.h"
#include "text/ValueParsing.h"

#include <QHash>
#include <QRect>
#include <QSet>

#include <cmath>

namespace quillomat {
namespace {

using namespace skinkeys;

// Below this, text is hard to tell from its fill for many readers (the guidelines' least for
// large text; the window's texts are small, so this is the least that can pass at all).
constexpr double kLeastContrast = 3.0;

// The boxes keep their design height: no key sets it.
constexpr int kComboBoxHeight = 21;

QString toQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// The numbers the window starts with under this skin: its values where they can be read, else
// the design values. Only the first of a key given twice counts, as the skin reader reads it.
class SkinValues
{
public:
    SkinValues(const IniFile& ini, const QString& section)
    {
        QSet<const SkinKey*> seen;
        for (const auto& [name, value] : ini.sectionPairs(section)) {
            const SkinKey* key = skinKeyNamed(name);
            if (!key || key->type == Text || seen.contains(key))
                continue;
            seen.insert(key);
            const std::optional<std::int32_t> number = parseInteger(value);
            // A window side the window cannot have is ignored as the reader ignores it.
            const bool windowSide = key->target == Window;
            if (number && (!windowSide || (*number >= 1 && *number <= kMaxWindowSide)))
                m_set.insert(key, *number);
        }
    }

    bool isSet(const SkinKey* key) const { return m_set.contains(key); }
    std::int64_t number(const SkinKey* key) const { return m_set.value(key, key->defaultNumber); }
    std::int64_t number(Target target, Property property) const
    {
        return number(findSkinKey(target, property));
    }

private:
    QHash<const SkinKey*, std::int64_t> m_set;
};

// A colour as a skin writes it: blue, green, red from the high byte down.
QString colourText(std::int64_t value)
{
    const auto bits = static_cast<quint32>(value);
    return QStringLiteral("0x") +
           QString::number(bits, 16).toUpper().rightJustified(bits > 0xFFFFFF ? 8 : 6, u'0');
}

QColor colourOf(std::int64_t value)
{
    return colorFromValue(static_cast<ColorValue>(static_cast<quint32>(value)));
}

struct TextOnFill
{
    Target text; // whose font colour
    Target fill; // whose fill it is drawn on
    const char* what;
};

constexpr TextOnFill kTextOnFill[] = {
    {DescriptionFont, Description, "the description pane's text without a colour of its own"},
    {SortBy, SortBy, "the sort-by box's text"},
    {Filter, Filter, "the filter box's text"},
    {List, List, "the package list's text"},
};

void checkContrast(Report& report, const QString& section, const SkinValues& values)
{
    for (const TextOnFill& pair : kTextOnFill) {
        const SkinKey* textKey = findSkinKey(pair.text, FontColor);
        const SkinKey* fillKey = findSkinKey(pair.fill, Fill);
        if (!values.isSet(textKey) && !values.isSet(fillKey))
            continue; // the design's own colours
        const std::int64_t text = values.number(textKey);
        const std::int64_t fill = values.number(fillKey);
        const double ratio = contrastRatio(colourOf(text), colourOf(fill));
        if (ratio >= kLeastContrast)
            continue;
        // Named by the key the author set, the text colour where both are set.
        const SkinKey* named = values.isSet(textKey) ? textKey : fillKey;
        report.warning(section, toQString(named->name),
                       QStringLiteral("%1 (%2 %3) on its fill (%4 %5) has a contrast of %6:1, "
                                      "below 3:1: it is hard to read")
                           .arg(QString::fromLatin1(pair.what), toQString(textKey->name),
                                colourText(text), toQString(fillKey->name), colourText(fill),
                                QString::number(ratio, 'f', 1)));
    }
}

struct Control
{
    Target target;
    const char* what;
};

constexpr Control kControls[] = {
    {SortBy, "the sort-by box"},     {Filter, "the filter box"},
    {List, "the package list"},      {Description, "the description pane"},
    {Preview, "the preview button"}, {Setup, "the setup button"},
    {Help, "the help button"},       {Minimize, "the minimize button"},
    {Close, "the close button"},
};

// The key that most likely put the control out: the first of these the skin sets, else the
// window's side, which left the control's design place outside.
const SkinKey* culprit(const SkinValues& values, std::initializer_list<Property> properties,
                       Target target, Property windowSide)
{
    for (Property property : properties)
        if (const SkinKey* key = findSkinKey(target, property); key && values.isSet(key))
            return key;
    return findSkinKey(Window, windowSide);
}

void checkPlacement(Report& report, const QString& section, const SkinValues& values, QSize window)
{
    for (const Control& control : kControls) {
        const SkinKey* heightKey = findSkinKey(control.target, Height);
        const QRect place(int(values.number(control.target, Left)),
                          int(values.number(control.target, Top)),
                          int(values.number(control.target, Width)),
                          heightKey ? int(values.number(heightKey)) : kComboBoxHeight);
        if (place.isEmpty())
            continue; // shown with no area
        const bool acrossWidth = place.left() < 0 || place.right() >= window.width();
        const bool acrossHeight = place.top() < 0 || place.bottom() >= window.height();
        if (!acrossWidth && !acrossHeight)
            continue;
        const SkinKey* key = acrossWidth ? culprit(values, {Left, Width}, control.target, Width)
                                         : culprit(values, {Top, Height}, control.target, Height);
        report.warning(section, toQString(key->name),
                       QStringLiteral("%1 at %2, %3 (%4 x %5) lies %6outside the %7 x %8 window: "
                                      "users cannot see or reach all of it")
                           .arg(QString::fromLatin1(control.what))
                           .arg(place.left())
                           .arg(place.top())
                           .arg(place.width())
                           .arg(place.height())
                           .arg(place.intersects(QRect(QPoint(), window))
                                    ? QStringLiteral("partly ")
                                    : QString())
                           .arg(window.width())
                           .arg(window.height()));
    }
}

void checkBackgroundCovers(Report& report, const QString& section, QSize window, QSize background)
{
    const bool wider = window.width() > background.width();
    const bool taller = window.height() > background.height();
    if (!wider && !taller)
        return;
    const SkinKey* key = findSkinKey(Window, wider ? Width : Height);
    report.warning(section, toQString(key->name),
                   QStringLiteral("the window is %1 x %2, larger than its background picture "
                                  "(%3 x %4): the picture is not stretched, and the rest of the "
                                  "window shows a flat colour")
                       .arg(window.width())
                       .arg(window.height())
                       .arg(background.width())
                       .arg(background.height()));
}

double relativeLuminance(const QColor& colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
}

} // namespace

const SkinKey* skinKeyNamed(QStringView name)
{
    for (const SkinKey& key : kSkinKeys)
        if (sameTextIgnoringCase(name, toQString(key.name)))
            return &key;
    return nullptr;
}

double contrastRatio(const QColor& first, const QColor& second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

void checkSkinLayout(Report& report, const IniFile& ini, const QString& section, QSize background)
{
    const SkinValues values(ini, section);
    const QSize window(int(values.number(Window, Width)), int(values.number(Window, Height)));
    checkContrast(report, section, values);
    if (window.isEmpty())
        return; // the skin reader keeps the window's size then
    checkPlacement(report, section, values, window);
    checkBackgroundCovers(report, section, window, background);
}

} // namespace quillomat
