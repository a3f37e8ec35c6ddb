#include "Strichcode.h"

#include <algorithm>
#include <array>

namespace kesto::test {

QString eanLesen(const QImage& bild) {
    const int y = bild.height() * 3 / 10;
    int links = -1, rechts = -1;
    for (int x = 0; x < bild.width(); ++x)
        if (qGray(bild.pixel(x, y)) < 128) {
            if (links < 0)
                links = x;
            rechts = x;
        }
    if (links < 0)
        return {};
    const double modul = (rechts - links + 1) / 95.0;
    QString bits;
    for (int i = 0; i < 95; ++i)
        bits += qGray(bild.pixel(static_cast<int>(links + (i + 0.5) * modul), y)) < 128 ? u'1' : u'0';
    static const std::array<const char*, 10> l{"0001101", "0011001", "0010011", "0111101", "0100011",
                                               "0110001", "0101111", "0111011", "0110111", "0001011"};
    static const std::array<const char*, 10> paritaet{"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                                      "LGGLLG", "LGGGLG", "LGGGGL", "LGLGLG", "LGLGGL"};
    const auto muster = [](const QString& code, bool g, bool r) {
        for (int d = 0; d < 10; ++d) {
            QString m = QString::fromLatin1(l[d]);
            if (r || g)
                for (QChar& c : m)
                    c = c == u'1' ? u'0' : u'1';
            if (g)
                std::reverse(m.begin(), m.end());
            if (m == code)
                return d;
        }
        return -1;
    };
    if (bits.left(3) != u"101" || bits.mid(45, 5) != u"01010" || bits.right(3) != u"101")
        return {};
    QString ziffern, gefunden;
    for (int i = 0; i < 6; ++i) {
        const QString code = bits.mid(3 + 7 * i, 7);
        int d = muster(code, false, false);
        QChar art = u'L';
        if (d < 0) {
            d = muster(code, true, false);
            art = u'G';
        }
        if (d < 0)
            return {};
        ziffern += QChar(u'0' + d);
        gefunden += art;
    }
    for (int i = 0; i < 6; ++i) {
        const int d = muster(bits.mid(50 + 7 * i, 7), false, true);
        if (d < 0)
            return {};
        ziffern += QChar(u'0' + d);
    }
    for (int erste = 0; erste < 10; ++erste)
        if (gefunden == QString::fromLatin1(paritaet[erste]))
            return QChar(u'0' + erste) + ziffern;
    return {};
}

}  // namespace kesto::test
