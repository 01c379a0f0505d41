#include "form_font.hpp"

#include <QFontDatabase>
#include <QStringList>

namespace rozuduzod {
namespace {

constexpr int kFontPixelHeight = 12;

// The typeface the window was designed with, then a Japanese proportional Gothic face.
QStringList FormFontFamilies() {
    QStringList families = {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")};
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
        const bool is_gothic = family.contains(QStringLiteral("Gothic"), Qt::CaseInsensitive) ||
                               family.contains(QStringLiteral("ゴシック")) ||
                               family.contains(QStringLiteral("Sans"), Qt::CaseInsensitive);
        if (is_gothic && !QFontDatabase::isFixedPitch(family) && !families.contains(family)) {
            families.append(family);
        }
    }
    return families;
}

}  // namespace

QFont FormFont() {
    QFont font;
    font.setFamilies(FormFontFamilies());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontPixelHeight);
    return font;
}

}  // namespace rozuduzod
