#include <cstdio>

int main()
{
    std::puts("kelbo32: the application shell is not built yet; there is nothing to run.");
    return 0;
}
