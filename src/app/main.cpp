#include <cstdio>

int main() {
    std::puts("Quillet: the board core is built; the main window is not there yet.");
    return 0;
}
