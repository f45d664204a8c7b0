#include "method/qt/DesignedFont.h"

#include <QFont>
#include <QStringList>

namespace slanter {

void SubstituteDesignedFont() {
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("MS PGothic"), QStringLiteral("Noto Sans CJK JP")});
}

} // namespace slanter
