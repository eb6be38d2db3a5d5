// The test stick's "worm": an inert program that prints one line and ends.
// It touches nothing; Kestrone must remove it because an Autorun.inf starts it.
#include <cstdio>

int main() {
    std::puts("Kestrone test specimen: harmless, does nothing.");
    return 0;
}
