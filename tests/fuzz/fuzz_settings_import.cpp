// A settings file is refused exactly when it is shorter than 18 bytes or names
// no skill level from 1 to 3 at positions 17 and 18.
#include "FuzzSupport.h"

#include "base/Error.h"
#include "services/SettingsFile.h"

using namespace vnt;
using namespace vnt::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = scratchPath("settings.VNTxp");
    put(path, bytesOf(data, size));
    const int level = size >= 18 ? std::int16_t(data[16] | (data[17] << 8)) : 0;
    const bool acceptable = level >= 1 && level <= 3;
    try {
        const int index = settingsFileLevel(path);
        VANTOR_FUZZ_EXPECT(acceptable && index == level, "a settings file was accepted that must be refused");
    } catch (const Error& e) {
        VANTOR_FUZZ_EXPECT(!acceptable, "a sound settings file was refused");
        VANTOR_FUZZ_EXPECT(e.number() == err::BadFileFormat, "a refused settings file gave another error");
    }
    return 0;
}
