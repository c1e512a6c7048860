// Open File filters.
#include "file_filter.h"

std::string file_filter(std::string_view written, LeadBytePredicate is_lead_byte)
{
    std::string filter(written);
    for (std::size_t i = 0; i < filter.size(); ++i) {
        if (is_lead_byte(static_cast<unsigned char>(filter[i])))
            ++i;
        else if (filter[i] == '|')
            filter[i] = '\0';
    }
    return filter;
}
