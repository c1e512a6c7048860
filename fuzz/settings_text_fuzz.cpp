// Feeds arbitrary bytes to kiv2cfg's text reader. Besides crashes and sanitizer reports it
// checks that whatever it accepts is printed and read back to the same record.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "same_record.h"
#include "settings_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Settings read("unused");
    if (settings_from_text(std::string_view(reinterpret_cast<const char*>(data), size), read))
        return 0;
    Settings again("unused");
    if (settings_from_text(settings_to_text(read), again) || !same_record(read, again))
        std::abort();
    return 0;
}
