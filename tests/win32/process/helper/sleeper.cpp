// A harmless test process: it waits (at most half a minute) so that the
// process tests can read its path and command line and terminate it.
#include <windows.h>

int main() {
    Sleep(30000);
    return 3;
}
