#include "scripting/KeyCodesText.h"

#include <cstdio>

// Prints the key abbreviations file. `cmake --build <dir> --target update_keycodes` writes it to
// share/KEYCODES.TXT, the copy that ships with the program.
int main() {
    const QByteArray text = velatask::KeyCodesText::generate().toUtf8();
    return std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout) ==
                   static_cast<size_t>(text.size())
               ? 0
               : 1;
}
