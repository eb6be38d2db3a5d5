/*
 * Preloaded into the 32-bit Wine loader when it runs under qemu-i386.
 *
 * qemu's signal frames leave the x86 trap number (REG_TRAPNO of the i386
 * ucontext) at -1. Wine's i386 fault handlers decide by that number, so an
 * access violation would be taken for an illegal instruction, and guard pages,
 * write watches and exception blocks would break. This library wraps
 * sigaction() for the fault signals: the handler that Wine installs is called
 * through a small trampoline that first fills in the trap number the CPU would
 * have reported, worked out from the signal and its si_code.
 *
 * Built freestanding (no C library headers, no multilib compiler needed):
 *   gcc -m32 -ffreestanding -nostdinc -fPIC -c trapno_fix.c
 *   ld -m elf_i386 -shared trapno_fix.o /lib/i386-linux-gnu/libc.so.6
 * The real sigaction() is found with dlsym(RTLD_NEXT).
 */

#define SIGILL 4
#define SIGTRAP 5
#define SIGBUS 7
#define SIGFPE 8
#define SIGSEGV 11
#define SIG_COUNT 32

#define SA_SIGINFO 4

#define SEGV_MAPERR 1
#define SEGV_ACCERR 2
#define BUS_ADRERR 2
#define FPE_INTDIV 1
#define FPE_INTOVF 2
#define SI_KERNEL 0x80

/* Trap numbers of the x86 exceptions. */
#define TRAP_DIVIDE 0
#define TRAP_DEBUG 1
#define TRAP_BREAKPOINT 3
#define TRAP_OVERFLOW 4
#define TRAP_INVALID_OPCODE 6
#define TRAP_SEGMENT_NOT_PRESENT 11
#define TRAP_PROTECTION 13
#define TRAP_PAGE_FAULT 14
#define TRAP_FPU 16

/* i386 glibc layouts. */
typedef struct {
    int si_signo;
    int si_errno;
    int si_code;
} siginfo_head;

typedef struct {
    unsigned long uc_flags;
    void *uc_link;
    struct {
        void *ss_sp;
        int ss_flags;
        unsigned long ss_size;
    } uc_stack;
    int gregs[19]; /* mcontext_t's general registers come first */
} ucontext_head;

#define REG_TRAPNO 12

typedef void (*plain_handler)(int);
typedef void (*info_handler)(int, void *, void *);

struct user_sigaction {
    union {
        plain_handler handler;
        info_handler action;
    } u;
    unsigned long mask[32]; /* sigset_t: 1024 bits */
    int flags;
    void (*restorer)(void);
};

#define SIG_DFL_VALUE ((plain_handler)0)
#define SIG_IGN_VALUE ((plain_handler)1)
#define RTLD_NEXT ((void *)-1l)

extern void *dlsym(void *handle, const char *name);

typedef int (*sigaction_fn)(int, const struct user_sigaction *, struct user_sigaction *);

static struct user_sigaction installed[SIG_COUNT];

static int covered(int sig) {
    return sig == SIGSEGV || sig == SIGBUS || sig == SIGILL || sig == SIGFPE || sig == SIGTRAP;
}

static int trap_number(int sig, int code) {
    switch (sig) {
        case SIGSEGV:
            return code == SEGV_MAPERR || code == SEGV_ACCERR ? TRAP_PAGE_FAULT : TRAP_PROTECTION;
        case SIGBUS:
            return code == BUS_ADRERR ? TRAP_PAGE_FAULT : TRAP_SEGMENT_NOT_PRESENT;
        case SIGILL:
            return TRAP_INVALID_OPCODE;
        case SIGFPE:
            if (code == FPE_INTDIV) return TRAP_DIVIDE;
            if (code == FPE_INTOVF) return TRAP_OVERFLOW;
            return TRAP_FPU;
        case SIGTRAP:
            return code == SI_KERNEL ? TRAP_BREAKPOINT : TRAP_DEBUG;
    }
    return -1;
}

static void trampoline(int sig, void *info, void *context) {
    ucontext_head *uc = context;
    const siginfo_head *si = info;
    if (uc && si && uc->gregs[REG_TRAPNO] == -1) uc->gregs[REG_TRAPNO] = trap_number(sig, si->si_code);
    const struct user_sigaction *act = &installed[sig];
    if (act->flags & SA_SIGINFO)
        act->u.action(sig, info, context);
    else if (act->u.handler != SIG_DFL_VALUE && act->u.handler != SIG_IGN_VALUE)
        act->u.handler(sig);
}

int sigaction(int sig, const struct user_sigaction *act, struct user_sigaction *old) {
    static sigaction_fn real;
    if (!real) real = (sigaction_fn)dlsym(RTLD_NEXT, "sigaction");
    if (sig <= 0 || sig >= SIG_COUNT || !covered(sig)) return real(sig, act, old);

    struct user_sigaction previous = installed[sig];
    int result;
    if (act && act->u.handler != SIG_DFL_VALUE && act->u.handler != SIG_IGN_VALUE) {
        struct user_sigaction wrapped = *act;
        wrapped.u.action = trampoline;
        wrapped.flags |= SA_SIGINFO;
        installed[sig] = *act; /* in place before a signal can find the trampoline */
        result = real(sig, &wrapped, old);
        if (result != 0) installed[sig] = previous;
    } else {
        result = real(sig, act, old);
    }
    /* Callers see their own handler, never the trampoline. */
    if (result == 0 && old && old->u.action == trampoline) *old = previous;
    return result;
}
