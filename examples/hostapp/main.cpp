#include "sdk/VYDCore.hpp"

#include <cstdio>

int main() {
    std::printf("VYDCore example host app\n");
    return 0;
}
