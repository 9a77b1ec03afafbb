#include <cstdio>

int main()
{
    std::puts("setup: the installer is not built yet; there is nothing to run.");
    return 0;
}
