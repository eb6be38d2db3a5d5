// A harmless program the scenarios start: it only waits, holding nothing but
// its command line (which may name a file on the test drive), until it is
// ended or two minutes have passed.
#include <windows.h>

int main() {
    Sleep(120000);
    return 0;
}
