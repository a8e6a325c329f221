#pragma once

#include <QtGlobal>

namespace velatask {

// Tells whether a byte stream, fed in pieces of any size, is well-formed UTF-8 (no overlong
// forms, no surrogates, nothing above U+10FFFF).
class Utf8Validator {
public:
    void feed(const char* data, qsizetype size);
    // Everything fed so far is valid and no sequence is left unfinished.
    bool valid() const { return !m_bad && m_need == 0; }
    // An invalid byte has been seen; feeding more cannot make the stream valid again.
    bool failed() const { return m_bad; }

private:
    int m_need = 0; // continuation bytes still expected
    unsigned char m_low = 0x80;
    unsigned char m_high = 0xBF; // range allowed for the next continuation byte
    bool m_bad = false;
};

} // namespace velatask
