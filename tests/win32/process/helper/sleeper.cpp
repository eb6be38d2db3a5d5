// A harmless test process: it waits (at most half a minute) so that the
// process tests can read its path and command line and terminate it.
// An argument beginning with "kestrone-" names an event that it sets once it
// runs its own code: a process ended while Windows still starts it (and, for
// a program started in a new console, the console's host) can leave that host
// behind, so tests that end it wait for this sign first.
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
    HANDLE ready = nullptr;
    for (int i = 1; i < argc && !ready; ++i) {
        if (std::strncmp(argv[i], "kestrone-", 9) == 0)
            ready = CreateEventA(nullptr, TRUE, TRUE, argv[i]);
    }
    Sleep(30000);
    if (ready) CloseHandle(ready);
    return 3;
}
