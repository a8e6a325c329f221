#include "csv/Utf8Validator.h"

namespace velatask {

void Utf8Validator::feed(const char* data, qsizetype size) {
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    const auto* end = p + size;
    while (p < end && !m_bad) {
        const unsigned char b = *p++;
        if (m_need > 0) {
            if (b < m_low || b > m_high) {
                m_bad = true;
                break;
            }
            --m_need;
            m_low = 0x80;
            m_high = 0xBF;
            continue;
        }
        if (b < 0x80) {
            continue;
        }
        if (b >= 0xC2 && b <= 0xDF) {
            m_need = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            m_need = 2;
            if (b == 0xE0) {
                m_low = 0xA0; // no overlong forms
            } else if (b == 0xED) {
                m_high = 0x9F; // no surrogates
            }
        } else if (b >= 0xF0 && b <= 0xF4) {
            m_need = 3;
            if (b == 0xF0) {
                m_low = 0x90;
            } else if (b == 0xF4) {
                m_high = 0x8F; // nothing above U+10FFFF
            }
        } else {
            m_bad = true;
        }
    }
}

} // namespace velatask
