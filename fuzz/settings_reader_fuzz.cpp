// Feeds arbitrary bytes to the settings reader as a file. Besides crashes and sanitizer
// reports it checks that the reader agrees with a plain field-by-field one on every file,
// loadable or not, and that whatever loads is saved and loaded again unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "reference_decoder.h"
#include "same_record.h"
#include "settings.h"

namespace {

std::string scratch_file(const char* name)
{
    const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/kivel-fuzz-" + std::to_string(::getpid()) + "-" + name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string input_path = scratch_file("input");
    static const std::string copy_path = scratch_file("copy");

    std::FILE* input = std::fopen(input_path.c_str(), "wb");
    if (!input)
        std::abort();
    std::fwrite(data, 1, size, input);
    std::fclose(input);

    Settings loaded(input_path);
    const bool loads = loaded.load();
    Settings expected(input_path);
    if (reference::load(expected, input_path.c_str()) != loads || !same_record(loaded, expected))
        std::abort();
    if (!loads)
        return 0;

    Settings copy(copy_path);
    copy.assign_values(loaded);
    Settings reloaded(copy_path);
    if (!copy.save() || !reloaded.load() || !same_record(loaded, reloaded))
        std::abort();
    return 0;
}
