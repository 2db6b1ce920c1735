#include "cli/Cli.h"

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The two fullwidth key names are UTF-8.
    SetConsoleOutputCP(CP_UTF8);
#endif
    return ravel::cli::RunCli(argc, argv);
}
