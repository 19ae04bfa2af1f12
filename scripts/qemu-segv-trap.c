/* scripts/qemu-segv-trap.c
 * Preloaded into 32-bit Wine processes that run under qemu-user. qemu hands the guest a SIGSEGV
 * with the page fault's error code filled in as the hardware would, but with the x86 trap number
 * unset (-1); Wine tells faults apart by that number and raises an illegal instruction instead of
 * an access violation, so code that expects to catch one (IsBadWritePtr, a vectored handler)
 * crashes. Wine's handler is wrapped so that it sees trap 14, a page fault, where the number is unset.
 *
 * Built without C library headers, so it needs no 32-bit development files; for x86-64 it is
 * empty, because 64-bit processes get the same LD_PRELOAD through "$LIB". */
#if defined(__i386__)

#define SIGSEGV 11
#define SA_SIGINFO 4
#define REG_TRAPNO 12
#define TRAP_PAGE_FAULT 14
#define RTLD_NEXT ((void *)-1)

typedef void (*info_handler)(int, void *, void *);

/* The i386 layouts of glibc's struct sigaction and ucontext_t, as far as they are read. */
struct i386_sigaction {
    info_handler handler;
    unsigned int mask[32];
    int flags;
    void (*restorer)(void);
};
struct i386_ucontext {
    unsigned long flags;
    void *link;
    void *stack_pointer;
    int stack_flags;
    unsigned long stack_size;
    int gregs[19];
};

void *dlsym(void *handle, const char *name);

static int (*real_sigaction)(int, const struct i386_sigaction *, struct i386_sigaction *);
static info_handler wine_handler;

static void segv_as_on_hardware(int sig, void *info, void *context)
{
    int *gregs = ((struct i386_ucontext *)context)->gregs;
    if (gregs[REG_TRAPNO] == -1)
        gregs[REG_TRAPNO] = TRAP_PAGE_FAULT;
    wine_handler(sig, info, context);
}

int sigaction(int sig, const struct i386_sigaction *act, struct i386_sigaction *old)
{
    struct i386_sigaction wrapped;
    if (!real_sigaction)
        real_sigaction = (int (*)(int, const struct i386_sigaction *, struct i386_sigaction *))dlsym(RTLD_NEXT, "sigaction");
    /* A handler that was read back from here and is put back must not wrap itself. */
    if (sig != SIGSEGV || !act || !(act->flags & SA_SIGINFO) || act->handler == segv_as_on_hardware)
        return real_sigaction(sig, act, old);
    wrapped = *act;
    wrapped.handler = segv_as_on_hardware;
    wine_handler = act->handler;
    return real_sigaction(sig, &wrapped, old);
}

#endif
