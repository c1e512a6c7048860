// kiv2cfg on POSIX systems: glibc's iconv does the code page 932 conversion.
#include <iconv.h>

#include <cerrno>

#include "platform_text.h"

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter()
    {
        if (descriptor_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(descriptor_);
    }

    std::optional<std::string> operator()(std::string_view text) const
    {
        if (descriptor_ == reinterpret_cast<iconv_t>(-1))
            return std::nullopt;
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        std::string converted(text.size() * 4 + 4, '\0');
        char* in = const_cast<char*>(text.data());
        std::size_t in_left = text.size();
        char* out = converted.data();
        std::size_t out_left = converted.size();
        if (iconv(descriptor_, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1) ||
            iconv(descriptor_, nullptr, nullptr, &out, &out_left) == static_cast<std::size_t>(-1))
            return std::nullopt;
        converted.resize(converted.size() - out_left);
        return converted;
    }

private:
    iconv_t descriptor_;
};

} // namespace

std::optional<std::string> utf8_from_cp932(std::string_view cp932)
{
    static const Converter convert("UTF-8", "CP932");
    return convert(cp932);
}

std::optional<std::string> cp932_from_utf8(std::string_view utf8)
{
    static const Converter convert("CP932", "UTF-8");
    return convert(utf8);
}

void write_text(std::FILE* stream, std::string_view utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

std::optional<bool> program_found(const std::string&)
{
    return std::nullopt;
}
