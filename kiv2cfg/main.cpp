// kiv2cfg: the settings file as text, for administrators and their deployment scripts.
#include <cstdio>
#include <string>
#include <vector>

#include "kiv2cfg_commands.h"
#include "platform_text.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CommandOutput output;
    const int code = run_kiv2cfg(arguments, output);
    write_text(stdout, output.out);
    write_text(stderr, output.err);
    return code;
}
