#include <cstdio>

int main() {
    std::puts("kelvra-cli");
    return 0;
}
