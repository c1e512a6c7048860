// Settings::load() and Settings::save() through the Win32 file backend, each against a baseline
// measured in the same run that moves the same bytes in one call and swaps their nibbles: what
// the format costs beyond touching the bytes at all.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "file_backend.h"
#include "measure.h"
#include "scoped_handles.h"
#include "settings.h"
#include "settings_codec.h"
#include "test_files.h"

namespace {

struct Record {
    const char* name;
    std::size_t string_bytes;
    int load_runs;
    int save_runs;
    double load_target;
    double save_target;
};

// A realistic full record (what the settings tool lets an administrator enter) and the largest
// file the format can hold.
constexpr Record RECORDS[] = {
    {"(a) 255 entries, 255-byte strings", 255, 101, 41, 1.3, 1.3},
    {"(b) 255 entries, 65535-byte strings", MAX_STRING_BYTES, 15, 15, 1.3, 1.3},
};

// The passwords, the main software and the two texts of every entry.
constexpr std::size_t RECORD_STRINGS = 4 + 2 * MAX_ENTRIES;

// Text without zero bytes, different in every string so that nothing is shared.
std::string text(std::size_t bytes, unsigned seed)
{
    std::string value(bytes, ' ');
    for (std::size_t i = 0; i < bytes; ++i)
        value[i] = static_cast<char>('A' + (seed + i) % 26);
    return value;
}

void fill(Settings& settings, std::size_t bytes)
{
    unsigned seed = 0;
    settings.boss_password = text(bytes, seed++);
    settings.follower_password = text(bytes, seed++);
    settings.main_label = text(bytes, seed++);
    settings.main_program = text(bytes, seed++);
    settings.lock_at_startup = 1;
    settings.entries.clear();
    for (std::size_t i = 0; i < MAX_ENTRIES; ++i)
        settings.entries.push_back({i % 10 == 9 ? 1 : 0, text(bytes, seed++), text(bytes, seed++)});
}

// The record's strings copied out of a whole file whose every byte was swapped: what any reader
// that builds the record spends at the least beyond the bytes themselves. Lengths are walked
// unchecked (the file is the benchmark's own); the plain fields are swapped back to be read.
void copy_strings(const unsigned char* bytes, std::vector<std::string>& strings)
{
    const auto plain = [bytes](std::size_t at) { return std::size_t{swapped_byte(bytes[at])}; };
    std::size_t at = 5 + 4;
    const auto take = [&] {
        const std::size_t length = plain(at) | plain(at + 1) << 8;
        strings.emplace_back(reinterpret_cast<const char*>(bytes + at + 2), length);
        at += 2 + length;
    };
    for (int i = 0; i < 4; ++i)
        take();
    const std::size_t count = plain(at++);
    strings.reserve(4 + 2 * count);
    for (std::size_t i = 0; i < count; ++i) {
        at += 4;
        take();
        take();
    }
}

// The least a reader can do: open, one ReadFile of the whole file, one pass of nibble swaps;
// with `strings`, also the copies of the record's strings.
double baseline_load_ms(const std::string& path, std::size_t expected_size, std::vector<std::string>* strings = nullptr)
{
    const Stopwatch watch;
    std::unique_ptr<unsigned char[]> bytes;
    {
        const OwnedFile file(
            CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER size{};
        if (!file || !GetFileSizeEx(file.get(), &size) || static_cast<std::size_t>(size.QuadPart) != expected_size)
            return -1;
        bytes = std::make_unique_for_overwrite<unsigned char[]>(expected_size);
        DWORD done = 0;
        if (!ReadFile(file.get(), bytes.get(), static_cast<DWORD>(expected_size), &done, nullptr) ||
            done != expected_size)
            return -1;
        swap_nibbles(bytes.get(), expected_size);
    }
    if (strings)
        copy_strings(bytes.get(), *strings);
    const double elapsed = watch.elapsed_ms();
    return elapsed;
}

// Only the heap blocks of `count` strings of `bytes` bytes, none of their bytes copied: what a
// record that owns each of its texts pays beyond the baseline at the least. Freed outside its
// time, as the record is.
double allocating_ms(std::size_t count, std::size_t bytes)
{
    std::vector<std::string> strings(count);
    const Stopwatch watch;
    for (std::string& text : strings)
        text.reserve(bytes);
    return watch.elapsed_ms();
}

double product_load_ms(const std::string& path)
{
    Settings settings(path);
    const Stopwatch watch;
    const bool loaded = settings.load();
    const double elapsed = watch.elapsed_ms();
    return loaded && settings.entries.size() == MAX_ENTRIES ? elapsed : -1;
}

// The least a writer can do: one pass of nibble swaps, one WriteFile into a new hidden file,
// the same flush to disk as save() does, and the same replace of the old file. Each step is
// timed too, so that a slow disk shows where it is slow.
struct BaselineSave {
    double total_ms = -1;
    double swap_ms = 0;
    double write_ms = 0;
    double flush_ms = 0;
    double replace_ms = 0;
};

BaselineSave baseline_save(const std::string& target, Bytes& image)
{
    const std::string temporary = target + ".tmp";
    BaselineSave result;
    const Stopwatch watch;
    swap_nibbles(image.data(), image.size());
    result.swap_ms = watch.elapsed_ms();
    {
        const OwnedFile file(
            CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
        DWORD done = 0;
        if (!file || !WriteFile(file.get(), image.data(), static_cast<DWORD>(image.size()), &done, nullptr) ||
            done != image.size())
            return result;
        result.write_ms = watch.elapsed_ms() - result.swap_ms;
        if (!FlushFileBuffers(file.get()))
            return result;
        result.flush_ms = watch.elapsed_ms() - result.swap_ms - result.write_ms;
    }
    const double before_replace = watch.elapsed_ms();
    if (!platform_files().replace(temporary, target))
        return result;
    result.total_ms = watch.elapsed_ms();
    result.replace_ms = result.total_ms - before_replace;
    return result;
}

// Takes the bytes of a save and drops them: what save() costs before any byte reaches a file.
class DiscardingFiles final : public FileBackend {
    class Discarding final : public BinaryFile {
    public:
        std::optional<std::uint64_t> length() override { return std::nullopt; }
        std::optional<std::size_t> read_up_to(void*, std::size_t) override { return std::nullopt; }
        bool write(const void*, std::size_t) override { return true; }
        bool flush() override { return true; }
    };

public:
    std::unique_ptr<BinaryFile> open_existing(const std::string&) override { return nullptr; }
    std::unique_ptr<BinaryFile> create_hidden(const std::string&) override { return std::make_unique<Discarding>(); }
    bool replace(const std::string&, const std::string&) override { return true; }
    void remove(const std::string&) override {}
};

double encoding_ms(const Settings& settings)
{
    DiscardingFiles files;
    const Stopwatch watch;
    const bool saved = settings.save(files);
    const double elapsed = watch.elapsed_ms();
    return saved ? elapsed : -1;
}

double product_save_ms(const Settings& settings)
{
    const Stopwatch watch;
    const bool saved = settings.save();
    const double elapsed = watch.elapsed_ms();
    return saved ? elapsed : -1;
}

bool all_valid(const std::vector<double>& samples)
{
    for (double sample : samples)
        if (sample < 0)
            return false;
    return true;
}

std::vector<double> ratios(const std::vector<double>& product, const std::vector<double>& baseline)
{
    std::vector<double> result;
    for (std::size_t i = 0; i < product.size(); ++i)
        result.push_back(product[i] / baseline[i]);
    return result;
}

void report_ratio(
    const std::string& figure, const std::vector<double>& product, const std::vector<double>& baseline, double target)
{
    const Spread spread = spread_of(ratios(product, baseline));
    char quartiles[64];
    std::snprintf(quartiles, sizeof quartiles, " (median of pairs; pairs IQR %.2f-%.2f)", spread.q1, spread.q3);
    const std::string text = figure + quartiles;
    report_target(text.c_str(), spread.median, "x", Goal::AT_MOST, target);
}

// Runs product and baseline as pairs, back to back and in alternating order, so that a slow
// spell of the machine or of the disk hits both.
bool bench_record(const Record& record, const TempDir& dir)
{
    Settings settings(dir.path() + "\\kiv2.bin");
    fill(settings, record.string_bytes);
    if (!settings.save()) {
        std::printf("error settings %s: save failed\n", record.name);
        return false;
    }
    Bytes image = read_bytes(settings.file_path);
    const std::size_t size = image.size();
    // The baseline writer replaces a file of its own of the same size.
    const std::string baseline_file = dir.path() + "\\baseline.bin";
    write_bytes(baseline_file, image);

    std::vector<double> loads, load_baselines, copying_baselines, allocation_floors, saves, save_baselines, encodings;
    std::vector<BaselineSave> save_steps;
    // One unmeasured pair first: the file cache and the allocator warm up. After each pair, the
    // strings' allocations alone, then the baseline that also copies the strings, each freed
    // outside its time as the record is.
    for (int run = -1; run < record.load_runs; ++run) {
        double load = 0, baseline = 0;
        if (run % 2) {
            load = product_load_ms(settings.file_path);
            baseline = baseline_load_ms(settings.file_path, size);
        } else {
            baseline = baseline_load_ms(settings.file_path, size);
            load = product_load_ms(settings.file_path);
        }
        const double allocating = allocating_ms(RECORD_STRINGS, record.string_bytes);
        std::vector<std::string> strings;
        const double copying = baseline_load_ms(settings.file_path, size, &strings);
        if (run >= 0) {
            loads.push_back(load);
            load_baselines.push_back(baseline);
            copying_baselines.push_back(copying);
            allocation_floors.push_back(baseline + allocating);
        }
    }
    for (int run = -1; run < record.save_runs; ++run) {
        double save = 0;
        BaselineSave baseline;
        if (run % 2) {
            save = product_save_ms(settings);
            baseline = baseline_save(baseline_file, image);
        } else {
            baseline = baseline_save(baseline_file, image);
            save = product_save_ms(settings);
        }
        if (run >= 0) {
            saves.push_back(save);
            save_baselines.push_back(baseline.total_ms);
            save_steps.push_back(baseline);
            encodings.push_back(encoding_ms(settings));
        }
    }
    if (!all_valid(loads) || !all_valid(load_baselines) || !all_valid(copying_baselines) || !all_valid(saves) ||
        !all_valid(save_baselines) || !all_valid(encodings)) {
        std::printf("error settings %s: a load or save failed\n", record.name);
        return false;
    }

    report_info("settings %s: file %llu bytes; load median %.3f ms over %d pairs, baseline (one ReadFile + nibble "
                "swap) %.3f ms",
        record.name, static_cast<unsigned long long>(size), median_of(loads), record.load_runs,
        median_of(load_baselines));
    report_info("settings %s: the baseline that also copies the record's strings out of its buffer, median %.3f ms: "
                "%.3fx the baseline; load / that baseline %.3fx (medians of pairs; no target)",
        record.name, median_of(copying_baselines), spread_of(ratios(copying_baselines, load_baselines)).median,
        spread_of(ratios(loads, copying_baselines)).median);
    report_info("settings %s: the baseline plus only allocating the record's %zu strings (no byte copied), median "
                "%.3fx the baseline: the least a load into strings of their own can come to (median of pairs; no "
                "target)",
        record.name, RECORD_STRINGS, spread_of(ratios(allocation_floors, load_baselines)).median);
    report_ratio(
        std::string("settings load ") + record.name + ", load / baseline", loads, load_baselines, record.load_target);

    std::vector<double> swap, write, flush, replace;
    for (const BaselineSave& steps : save_steps) {
        swap.push_back(steps.swap_ms);
        write.push_back(steps.write_ms);
        flush.push_back(steps.flush_ms);
        replace.push_back(steps.replace_ms);
    }
    report_info("settings %s: save median %.3f ms over %d pairs, baseline %.3f ms: nibble swap %.3f + one WriteFile "
                "%.3f + FlushFileBuffers %.3f (save() flushes too, so both include it) + the same replace %.3f",
        record.name, median_of(saves), record.save_runs, median_of(save_baselines), median_of(swap), median_of(write),
        median_of(flush), median_of(replace));
    report_info("settings %s: save() into a backend that drops the bytes (its encoding alone) median %.3f ms",
        record.name, median_of(encodings));
    report_ratio(
        std::string("settings save ") + record.name + ", save / baseline", saves, save_baselines, record.save_target);
    return true;
}

} // namespace

int main()
{
    const TempDir dir;
    bool ok = true;
    for (const Record& record : RECORDS)
        ok = bench_record(record, dir) && ok;
    return ok ? 0 : 1;
}
