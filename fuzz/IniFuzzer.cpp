// Reads a settings file of any content, then writes a key into it: what was written reads back,
// and the keys read before keep their values.
#include "settings/IniFile.h"
#include "settings/Settings.h"

#include <QFile>
#include <QTemporaryDir>

#include "FuzzCheck.h"
#include "support/MemoryTempDir.h"

#include <cstddef>
#include <cstdint>

using namespace velatask;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Every write replaces the file and syncs it: in memory a run tries many more inputs.
    static QTemporaryDir dir(memoryTempTemplate());
    const QString path = dir.filePath(QStringLiteral("Vela.INI"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return 0;
        }
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    IniFile ini(path);
    const Settings settings = Settings::load(ini);
    const QString before = ini.read(QStringLiteral("Main"), QStringLiteral("XPosit"));

    ini.write(QStringLiteral("Fuzz"), QStringLiteral("Key"), QStringLiteral("value"));
    check(ini.read(QStringLiteral("fuzz"), QStringLiteral("KEY")) == QStringLiteral("value"));
    check(ini.read(QStringLiteral("Main"), QStringLiteral("XPosit")) == before);
    settings.save(ini);
    check(Settings::load(ini) == settings);
    return 0;
}
